#include "dialogs/about_dlg.h"

#include "catalogue/message_catalogue.h"

#include <openssl/crypto.h>
#include <string>

namespace {

std::u16string Widen(const char* ascii) {
    const std::string text(ascii);
    return {text.begin(), text.end()};
}

ui::DialogTemplate MakeTemplate() {
    using namespace ui;
    DialogTemplate dialog;
    dialog.id = kAboutDlgTemplateId;
    dialog.rect = {0, 0, 260, 96};
    dialog.title = u"About network configuration utility";
    dialog.controls = {
        {IDC_ABOUT_VERSION, ControlKind::Static, {10, 10, 240, 10}, 0, u"Version 3.0"},
        {IDC_ABOUT_OWNERSHIP,
         ControlKind::Static,
         {10, 26, 240, 10},
         0,
         u"Copyright (C) KORDAVIN. All rights reserved."},
        {IDC_ABOUT_NOTICE_FIRST, ControlKind::Static, {10, 42, 240, 10}, 0, u""},
        {IDC_ABOUT_NOTICE_SECOND,
         ControlKind::Static,
         {10, 54, 240, 10},
         0,
         u"licensed under the Apache License, Version 2.0."},
        {IDOK,
         ControlKind::PushButton,
         {200, 74, 50, 14},
         style::kDefaultButton | style::kTabStop,
         u"OK"},
    };
    return dialog;
}

} // namespace

const ui::DialogTemplate& AboutDlgTemplate() {
    static const ui::DialogTemplate dialogTemplate = MakeTemplate();
    return dialogTemplate;
}

CAboutDlg::CAboutDlg(ui::CDialog* parent) : ui::CDialog(AboutDlgTemplate(), parent) {}

bool CAboutDlg::OnInitDialog() {
    ui::CDialog::OnInitDialog();
    Window().SetTitle(GetMessageText(kMsgAboutTitle));
    Window().SetText(IDC_ABOUT_VERSION, GetMessageText(kMsgAboutVersion));
    // The notice names the library version actually loaded.
    Window().SetText(IDC_ABOUT_NOTICE_FIRST,
                     u"This product uses " + Widen(OpenSSL_version(OPENSSL_VERSION)) + u",");
    return true;
}
