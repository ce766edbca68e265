#!/usr/bin/env bash
# The check of the translations on copies of po/ with one fault planted in
# each: every fault a translator's tool or a stale file can bring stops the
# build's table with a message that names it; the untouched copy and a new
# language pass.
#   planted_translation_test.sh PYTHON PO_FOLDER MSGFMT
set -euo pipefail
python=$1
source_po=$2
msgfmt=$3
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/expect.sh
. "$here/../support/expect.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
po=$work/po

# Makes a fresh copy, runs the planting command in it, then the generator;
# expects it to pass, or to fail with MESSAGE in what it says.
expect() { # pass|fail MESSAGE COMMAND...
    local wanted=$1 message=$2
    shift 2
    rm -rf "$po" && cp -r "$source_po" "$po"
    (cd "$po" && "$@")
    local outcome=pass
    "$python" "$po/make_text_table.py" catalogue "$po" "$msgfmt" "$work/table.cpp" \
        >"$work/said" 2>&1 || outcome=fail
    if [ "$outcome" != "$wanted" ]; then
        fail "'$*' should $wanted the check: $(cat "$work/said")"
    elif [ "$wanted" = fail ] && ! grep -qF -- "$message" "$work/said"; then
        fail "'$*' was refused with '$(cat "$work/said")', not '$message'"
    fi
}

# Applies a Perl substitution to one file of the copy.
edit() { # FILE EXPRESSION
    perl -0pi -e "$2" "$1"
}

expect pass "" true
cp "$work/table.cpp" "$work/untouched.cpp"
# What the translators' tools do to the files changes nothing in the table.
gettext_tools=$(dirname "$msgfmt")
merge_and_rewrap() {
    for file in ./*.po; do
        "$gettext_tools/msgmerge" --quiet --update --backup=none "$file" quorlan.pot
        "$gettext_tools/msgcat" --width=60 "$file" --output-file="$file"
    done
}
expect pass "" merge_and_rewrap
cmp -s "$work/table.cpp" "$work/untouched.cpp" ||
    fail "msgmerge and msgcat changed the table"
expect fail 'de.po: context 156 is missing' edit de.po 's/msgctxt "156"\n.*?\n.*?\n//'
expect fail 'context 10 is not translated' edit fr.po 's/(msgctxt "10"\nmsgid .*\nmsgstr )".*"/$1""/'
# Rows that neither program shows may stay empty, as they always were.
expect pass "" edit fr.po 's/(msgctxt "59"\nmsgid .*\nmsgstr )".*"/$1""/'
expect fail 'context 10 translates an older English text' \
    edit quorlan.pot 's/(msgctxt "10"\nmsgid )"Exit"/$1"Quit"/'
expect fail 'context 10 is marked fuzzy' edit sv.po 's/\nmsgctxt "10"\n/\n#, fuzzy\nmsgctxt "10"\n/'
expect fail 'de.po:' edit de.po 's/"SD-Karte von %s"/"SD-Karte"/'
expect fail 'de.po:' edit de.po 's/"Dialogfenster: 0x%1"/"Dialogfenster"/'
expect fail 'context 156 lost its c-format flag' edit ja.po 's/#, c-format\n(msgctxt "156")/$1/'
expect fail 'context 156 has a placeholder but no format flag' \
    edit quorlan.pot 's/#, c-format\n(msgctxt "156")/$1/'
# Row 31 may leave the name out, as the Dutch text does, but not change it.
expect fail 'context 31 changes the placeholders' edit de.po 's/von %s aktivieren"/%d aktivieren"/'
expect fail 'context 3 appears twice' edit it.po 's/msgctxt "4"/msgctxt "3"/'
expect fail 'context 500 is not in the template' \
    edit pl.po 's/\z/\nmsgctxt "500"\nmsgid "Extra"\nmsgstr "Dodatkowy"\n/'
expect fail 'unsupported escape' edit es.po 's/"Salir"/"Sal\\x69r"/'
expect fail 'el.po: missing' edit languages.txt 's/\z/Greek el el_GR 0408\n/'
expect fail 'zz.po: its language is not in languages.txt' cp fr.po zz.po
row_900_everywhere() {
    for file in ./*.po quorlan.pot; do
        printf '\nmsgctxt "900"\nmsgid "Gap"\nmsgstr "Gap"\n' >>"$file"
    done
}
expect fail 'rows must be numbered from 0 without a gap' row_900_everywhere

# A language more is its line in the list and its file: its column follows.
add_greek() {
    printf 'Greek el el_GR 0408\n' >>languages.txt
    sed 's/^"Language: fr/"Language: el/' fr.po >el.po
}
expect pass "" add_greek
columns=$(sed -n '/^    \/\/ 0$/,/^    \/\/ 1$/p' "$work/table.cpp" | grep -c '^    u"')
expect_equal "texts of row 0 with a 16th language" 16 "$columns"
grep -qF '{"Greek", "el", "el_GR", kLcidsOf15}' "$work/table.cpp" ||
    fail "the 16th language is not in the list of languages"
exit_with_failures
