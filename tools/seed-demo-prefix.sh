#!/usr/bin/env bash
# Gives a Wine prefix what QENWiz looks for on a machine: Visual Studio 98 registered in App Paths (in the
# registry view a 32-bit program reads) and a QEN library folder whose Bin holds VEVER58.dll, on the
# system's PATH. Creates the prefix when it does not exist; does nothing on a prefix it seeded before.
#   seed-demo-prefix.sh PREFIX VEVER58.DLL
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: seed-demo-prefix.sh PREFIX VEVER58.DLL" >&2; exit 2; }
top=$(cd "$(dirname "$0")/.." && pwd)
prefix=$(realpath -m "$1")
library=$2
marker=$prefix/qenwiz-demo-seeded

[ -f "$library" ] || { echo "seed-demo-prefix: no library file $library" >&2; exit 1; }
[ -f "$marker" ] && exit 0

wine_in_prefix() { "$top/tools/winerun" --prefix "$prefix" "$@" </dev/null; }

wine_in_prefix cmd /c exit >/dev/null

vs_root='C:\Program Files\Microsoft Visual Studio\'
msdev="${vs_root}Common\\MSDev98\\Bin\\MSDEV.EXE"
library_bin='C:\QEN\ControlBar\Bin'
drive_c=$prefix/drive_c

mkdir -p "$drive_c/Program Files/Microsoft Visual Studio/Common/MSDev98/Bin" \
         "$drive_c/Program Files/Microsoft Visual Studio/Common/MSDev98/Template" \
         "$drive_c/QEN/ControlBar/Bin"
cp "$library" "$drive_c/QEN/ControlBar/Bin/VEVER58.dll"

wine_in_prefix reg add 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\msdev.exe' \
    /ve /d "$msdev" /f /reg:32 >/dev/null

environment='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'
path=$(wine_in_prefix reg query "$environment" /v PATH | tr -d '\r' |
       sed -n 's/^ *PATH *REG_[A-Z_]*SZ *//p')
case ";$path;" in
  *";$library_bin;"*) ;;
  *) wine_in_prefix reg add "$environment" /v PATH /t REG_EXPAND_SZ /d "${path:+$path;}$library_bin" /f >/dev/null ;;
esac

touch "$marker"
