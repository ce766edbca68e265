#!/usr/bin/env bash
# The layer check on a tree of its own: every include against the direction
# of the layers stops it, each allowed one passes.
#   planted_include_test.sh CHECK_LAYERS_SCRIPT
set -euo pipefail
check=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/expect.sh
. "$here/../support/expect.sh"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

# Plants one line in FILE of an otherwise empty tree (beside an empty
# OTHER file, if named), and expects the check to pass or fail.
expect() { # pass|fail FILE LINE [OTHER]
    rm -rf "${tree:?}"/*
    if [ -n "${4:-}" ]; then
        mkdir -p "$tree/$(dirname "$4")"
        : >"$tree/$4"
    fi
    mkdir -p "$tree/$(dirname "$2")"
    printf '%s\n' "$3" >"$tree/$2"
    local outcome=pass
    cmake -DSOURCE_DIR="$tree" -P "$check" >/dev/null 2>&1 || outcome=fail
    [ "$outcome" = "$1" ] || fail "$2 with '$3' should $1 the check"
}

expect fail settings/records.h '#include "ui/window.h"'
expect fail settings/records.h '#include "dialogs/quorlan_dlg.h"'
expect fail settings/records.h '#include "cli/cli.h"'
expect fail platform/file.cpp '#include "settings/records.h"'
expect fail catalogue/text.cpp '  #  include "settings/records.h"'
expect fail ui/window.h '#include "ui/qt/qt_ui.h"'
expect fail ui/headless/window.h '#include "ui/qt/qt_ui.h"'
expect fail dialogs/page.cpp '#include "ui/headless/headless_ui.h"'
expect fail dialogs/page.cpp '#include <QWidget>'
expect fail cli/main.cpp '#include <QtCore/QString>'
expect fail settings/deep/inner.cpp '#include "library/Quorlan.h"'
# However the path is spelt, it is the file it names that counts.
expect fail settings/text_format.cpp '#include "../dialogs/wifi_security.h"'
expect fail settings/text_format.cpp '#include "./../ui/window.h"'
expect fail settings/text_format.cpp '#include <dialogs/wifi_security.h>'
expect fail ui/window.h '#include "qt/qt_ui.h"' ui/qt/qt_ui.h
expect fail dialogs/page.cpp '#include <qwidget.h>'
expect fail dialogs/page.cpp '#include <QtWidgets/qwidget.h>'
expect fail dialogs/page.cpp '#include "QWidget"'
expect pass dialogs/main_dialog/page.cpp '#include "../wifi_security.h"'
expect pass ui/qt/window.cpp '#include "window.h"' ui/qt/window.h
expect pass ui/qt/window.cpp '#include <qwidget.h>'
expect pass settings/records.h '#include <queue>'
expect pass settings/records.h '#include <openssl/evp.h>'
expect pass settings/records.h '#include "platform/ini_document.h"'
expect pass dialogs/page.cpp '#include "ui/window.h"'
expect pass ui/qt/window.cpp '#include <QWidget>'
expect pass library/exports.cpp '#include "ui/qt/qt_ui.h"'
expect pass host/main.cpp '#include "library/Quorlan.h"'
expect pass settings/records.h '#include <vector>'
exit_with_failures
