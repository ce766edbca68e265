#include "host/host_texts.h"

#include "catalogue/message_catalogue.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

constexpr auto kHostTextCount = static_cast<std::size_t>(EHostText::kCount);

// One row per text, one column per catalogue language; column 0 is
// English, as column 1.
// clang-format off
constexpr std::array<std::array<const char16_t*, kLanguageCount>, kHostTextCount> kHostTexts = {{
    // kSdCardLabel
    {{
        u"SD card of the player:",
        u"SD card of the player:",
        u"Carte SD du lecteur\u00A0:",
        u"SD-Karte des Players:",
        u"Spelarens SD-kort:",
        u"SD-kaart van de speler:",
        u"Soittimen SD-kortti:",
        u"Spillerens SD-kort:",
        u"SD-карта плеера:",
        u"プレーヤーの SD カード:",
        u"播放器的 SD 卡：",
        u"Afspillerens SD-kort:",
        u"Scheda SD del lettore:",
        u"Karta SD odtwarzacza:",
        u"Tarjeta SD del reproductor:",
    }},
    // kNoPlayerAttached
    {{
        u"No player attached",
        u"No player attached",
        u"Aucun lecteur connecté",
        u"Kein Player angeschlossen",
        u"Ingen spelare ansluten",
        u"Geen speler aangesloten",
        u"Soitinta ei ole liitetty",
        u"Ingen spiller tilkoblet",
        u"Плеер не подключён",
        u"プレーヤーが接続されていません",
        u"未连接播放器",
        u"Ingen afspiller tilsluttet",
        u"Nessun lettore collegato",
        u"Nie podłączono odtwarzacza",
        u"No hay ningún reproductor conectado",
    }},
    // kChoose
    {{
        u"Choose...",
        u"Choose...",
        u"Choisir...",
        u"Auswählen...",
        u"Välj...",
        u"Kiezen...",
        u"Valitse...",
        u"Velg...",
        u"Выбрать...",
        u"選択...",
        u"选择...",
        u"Vælg...",
        u"Scegli...",
        u"Wybierz...",
        u"Elegir...",
    }},
    // kSdCardChooserTitle
    {{
        u"SD card of the player",
        u"SD card of the player",
        u"Carte SD du lecteur",
        u"SD-Karte des Players",
        u"Spelarens SD-kort",
        u"SD-kaart van de speler",
        u"Soittimen SD-kortti",
        u"Spillerens SD-kort",
        u"SD-карта плеера",
        u"プレーヤーの SD カード",
        u"播放器的 SD 卡",
        u"Afspillerens SD-kort",
        u"Scheda SD del lettore",
        u"Karta SD odtwarzacza",
        u"Tarjeta SD del reproductor",
    }},
    // kPlayerNameLabel
    {{
        u"Player's name:",
        u"Player's name:",
        u"Nom du lecteur\u00A0:",
        u"Name des Players:",
        u"Spelarens namn:",
        u"Naam van de speler:",
        u"Soittimen nimi:",
        u"Spillerens navn:",
        u"Имя плеера:",
        u"プレーヤーの名前:",
        u"播放器名称：",
        u"Afspillerens navn:",
        u"Nome del lettore:",
        u"Nazwa odtwarzacza:",
        u"Nombre del reproductor:",
    }},
    // kPlayerNamePlaceholder
    {{
        u"Player's name (default KORDAVIN)",
        u"Player's name (default KORDAVIN)",
        u"Nom du lecteur (KORDAVIN par défaut)",
        u"Name des Players (Standard: KORDAVIN)",
        u"Spelarens namn (standard KORDAVIN)",
        u"Naam van de speler (standaard KORDAVIN)",
        u"Soittimen nimi (oletus KORDAVIN)",
        u"Spillerens navn (standard KORDAVIN)",
        u"Имя плеера (по умолчанию KORDAVIN)",
        u"プレーヤーの名前 (既定: KORDAVIN)",
        u"播放器名称（默认 KORDAVIN）",
        u"Afspillerens navn (standard KORDAVIN)",
        u"Nome del lettore (predefinito KORDAVIN)",
        u"Nazwa odtwarzacza (domyślnie KORDAVIN)",
        u"Nombre del reproductor (predeterminado KORDAVIN)",
    }},
    // kDialogNotShown
    {{
        u"The dialog is not shown.",
        u"The dialog is not shown.",
        u"La boîte de dialogue n'est pas affichée.",
        u"Der Dialog wird nicht angezeigt.",
        u"Dialogrutan visas inte.",
        u"Het dialoogvenster wordt niet weergegeven.",
        u"Valintaikkunaa ei näytetä.",
        u"Dialogboksen vises ikke.",
        u"Диалоговое окно не показано.",
        u"ダイアログは表示されていません。",
        u"未显示对话框。",
        u"Dialogboksen vises ikke.",
        u"La finestra di dialogo non è visualizzata.",
        u"Okno dialogowe nie jest wyświetlane.",
        u"El cuadro de diálogo no se muestra.",
    }},
    // kDialogWindow
    {{
        u"Dialog window: 0x%1",
        u"Dialog window: 0x%1",
        u"Fenêtre de dialogue\u00A0: 0x%1",
        u"Dialogfenster: 0x%1",
        u"Dialogfönster: 0x%1",
        u"Dialoogvenster: 0x%1",
        u"Valintaikkuna: 0x%1",
        u"Dialogvindu: 0x%1",
        u"Окно диалога: 0x%1",
        u"ダイアログ ウィンドウ: 0x%1",
        u"对话框窗口：0x%1",
        u"Dialogvindue: 0x%1",
        u"Finestra di dialogo: 0x%1",
        u"Okno dialogowe: 0x%1",
        u"Ventana del cuadro de diálogo: 0x%1",
    }},
    // kCannotLoad
    {{
        u"Cannot load %1: %2",
        u"Cannot load %1: %2",
        u"Impossible de charger %1\u00A0: %2",
        u"%1 kann nicht geladen werden: %2",
        u"Det går inte att läsa in %1: %2",
        u"Kan %1 niet laden: %2",
        u"Kohteen %1 lataaminen ei onnistu: %2",
        u"Kan ikke laste inn %1: %2",
        u"Не удаётся загрузить %1: %2",
        u"%1 を読み込めません: %2",
        u"无法加载 %1：%2",
        u"%1 kan ikke indlæses: %2",
        u"Impossibile caricare %1: %2",
        u"Nie można załadować %1: %2",
        u"No se puede cargar %1: %2",
    }},
    // kPathNotPassable
    {{
        u"The SD card path \"%1\" has characters that code page %2, the one this locale hands to the dialog, cannot hold. Choose another, or start the program in a locale whose code page holds them.",
        u"The SD card path \"%1\" has characters that code page %2, the one this locale hands to the dialog, cannot hold. Choose another, or start the program in a locale whose code page holds them.",
        u"Le chemin de la carte SD «\u00A0%1\u00A0» contient des caractères que la page de codes %2, celle que cette langue transmet au dialogue, ne peut pas contenir. Choisissez-en un autre ou démarrez le programme dans une langue dont la page de codes les contient.",
        u"Der SD-Karten-Pfad „%1“ enthält Zeichen, die die Codepage %2, die dieses Gebietsschema an den Dialog übergibt, nicht darstellen kann. Wählen Sie einen anderen, oder starten Sie das Programm in einem Gebietsschema, dessen Codepage sie enthält.",
        u"SD-kortets sökväg ”%1” innehåller tecken som teckentabell %2, den som den här nationella inställningen ger dialogrutan, inte kan lagra. Välj en annan, eller starta programmet med en nationell inställning vars teckentabell kan lagra dem.",
        u"Het pad van de SD-kaart \"%1\" bevat tekens die codetabel %2, die deze landinstelling aan het dialoogvenster doorgeeft, niet kan bevatten. Kies een ander pad of start het programma met een landinstelling waarvan de codetabel ze bevat.",
        u"SD-kortin polussa \"%1\" on merkkejä, joita koodisivu %2, jonka tämä maa-asetus antaa valintaikkunalle, ei voi sisältää. Valitse toinen tai käynnistä ohjelma maa-asetuksella, jonka koodisivu sisältää ne.",
        u"SD-kortbanen «%1» inneholder tegn som tegntabell %2, den denne nasjonale innstillingen gir dialogboksen, ikke kan lagre. Velg en annen, eller start programmet med en nasjonal innstilling der tegntabellen kan lagre dem.",
        u"Путь к SD-карте «%1» содержит символы, которые не может представить кодовая страница %2, передаваемая диалогу этим языковым стандартом. Выберите другой путь или запустите программу с языковым стандартом, кодовая страница которого их содержит.",
        u"SD カードのパス \"%1\" には、このロケールがダイアログに渡すコード ページ %2 で表せない文字が含まれています。別のパスを選ぶか、それらの文字を表せるコード ページのロケールでプログラムを起動してください。",
        u"SD 卡路径“%1”包含此区域设置传给对话框的代码页 %2 无法表示的字符。请另选一个，或在代码页能表示这些字符的区域设置下启动程序。",
        u"SD-kortets sti \"%1\" indeholder tegn, som tegntabel %2, den som denne landestandard giver dialogboksen, ikke kan rumme. Vælg en anden, eller start programmet med en landestandard, hvis tegntabel kan rumme dem.",
        u"Il percorso della scheda SD \"%1\" contiene caratteri che la tabella codici %2, quella che queste impostazioni locali passano alla finestra di dialogo, non può contenere. Sceglierne un altro o avviare il programma con impostazioni locali la cui tabella codici li contenga.",
        u"Ścieżka karty SD „%1” zawiera znaki, których strona kodowa %2, przekazywana oknu dialogowemu przez te ustawienia regionalne, nie może zawierać. Wybierz inną lub uruchom program w ustawieniach regionalnych, których strona kodowa je zawiera.",
        u"La ruta de la tarjeta SD \"%1\" contiene caracteres que la página de códigos %2, la que esta configuración regional entrega al cuadro de diálogo, no puede contener. Elija otra o inicie el programa con una configuración regional cuya página de códigos los contenga.",
    }},
    // kNameNotPassable
    {{
        u"The player's name \"%1\" has characters that code page %2, the one this locale hands to the dialog, cannot hold. Choose another, or start the program in a locale whose code page holds them.",
        u"The player's name \"%1\" has characters that code page %2, the one this locale hands to the dialog, cannot hold. Choose another, or start the program in a locale whose code page holds them.",
        u"Le nom du lecteur «\u00A0%1\u00A0» contient des caractères que la page de codes %2, celle que cette langue transmet au dialogue, ne peut pas contenir. Choisissez-en un autre ou démarrez le programme dans une langue dont la page de codes les contient.",
        u"Der Name des Players „%1“ enthält Zeichen, die die Codepage %2, die dieses Gebietsschema an den Dialog übergibt, nicht darstellen kann. Wählen Sie einen anderen, oder starten Sie das Programm in einem Gebietsschema, dessen Codepage sie enthält.",
        u"Spelarens namn ”%1” innehåller tecken som teckentabell %2, den som den här nationella inställningen ger dialogrutan, inte kan lagra. Välj ett annat, eller starta programmet med en nationell inställning vars teckentabell kan lagra dem.",
        u"De naam van de speler \"%1\" bevat tekens die codetabel %2, die deze landinstelling aan het dialoogvenster doorgeeft, niet kan bevatten. Kies een andere naam of start het programma met een landinstelling waarvan de codetabel ze bevat.",
        u"Soittimen nimessä \"%1\" on merkkejä, joita koodisivu %2, jonka tämä maa-asetus antaa valintaikkunalle, ei voi sisältää. Valitse toinen tai käynnistä ohjelma maa-asetuksella, jonka koodisivu sisältää ne.",
        u"Spillerens navn «%1» inneholder tegn som tegntabell %2, den denne nasjonale innstillingen gir dialogboksen, ikke kan lagre. Velg et annet, eller start programmet med en nasjonal innstilling der tegntabellen kan lagre dem.",
        u"Имя плеера «%1» содержит символы, которые не может представить кодовая страница %2, передаваемая диалогу этим языковым стандартом. Выберите другое имя или запустите программу с языковым стандартом, кодовая страница которого их содержит.",
        u"プレーヤーの名前 \"%1\" には、このロケールがダイアログに渡すコード ページ %2 で表せない文字が含まれています。別の名前を選ぶか、それらの文字を表せるコード ページのロケールでプログラムを起動してください。",
        u"播放器名称“%1”包含此区域设置传给对话框的代码页 %2 无法表示的字符。请另选一个，或在代码页能表示这些字符的区域设置下启动程序。",
        u"Afspillerens navn \"%1\" indeholder tegn, som tegntabel %2, den som denne landestandard giver dialogboksen, ikke kan rumme. Vælg et andet, eller start programmet med en landestandard, hvis tegntabel kan rumme dem.",
        u"Il nome del lettore \"%1\" contiene caratteri che la tabella codici %2, quella che queste impostazioni locali passano alla finestra di dialogo, non può contenere. Sceglierne un altro o avviare il programma con impostazioni locali la cui tabella codici li contenga.",
        u"Nazwa odtwarzacza „%1” zawiera znaki, których strona kodowa %2, przekazywana oknu dialogowemu przez te ustawienia regionalne, nie może zawierać. Wybierz inną lub uruchom program w ustawieniach regionalnych, których strona kodowa je zawiera.",
        u"El nombre del reproductor \"%1\" contiene caracteres que la página de códigos %2, la que esta configuración regional entrega al cuadro de diálogo, no puede contener. Elija otro o inicie el programa con una configuración regional cuya página de códigos los contenga.",
    }},
}};
// clang-format on
// A text added to the list without its row, or a row short of a language,
// would leave an empty cell.
static_assert(std::ranges::all_of(kHostTexts, [](const auto& row) {
    return std::ranges::all_of(row, [](const char16_t* text) { return text != nullptr; });
}));

} // namespace

QString HostText(EHostText text) {
    return QString::fromUtf16(kHostTexts[static_cast<std::size_t>(text)][g_nLanguageIndex]);
}
