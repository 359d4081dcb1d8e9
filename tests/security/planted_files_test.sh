# Starts the game among planted files (see planted.cpp). It passes when Web help, pressed on the
# game's toolbar, started the browser and nothing planted ran. Drive C is planted in a private copy
# of the tests' Wine prefix, made of hard links in a moment and removed afterwards, so that the
# prefix the other tests share never sees it.
#   bash planted_files_test.sh GAME SHARED_PREFIX WINE_COMMAND... PLANTED_PROGRAM
prefix=$PWD/wineprefix drive=$PWD/wineprefix/drive_c browser="Program Files/Internet Explorer/iexplore.exe"
rm -rf "$prefix" ./*.ran && cp "$1" glimmark.exe && touch setdata.ini && cp -al "$2" "$prefix" || exit 1
# Wine rewrites its registry files in place, and planted files must not reach the shared prefix:
# these are copied instead of linked.
cp --remove-destination "$2"/*.reg "$prefix" && shift 2 || exit 1
trap 'WINEPREFIX=$prefix wineserver -k; rm -rf "$prefix"' EXIT
for target in Program.exe "$browser"; do cp --remove-destination "${@: -1}" "$drive/$target"; done
set -- "${@/#WINEPREFIX=*/WINEPREFIX=$prefix}"
# Wine prefers a DLL beside the exe, as Windows does for one it does not always take from its folder.
"${@/#WINEDLLOVERRIDES=/WINEDLLOVERRIDES=comctl32=n,b;}"
for wait in $(seq 900); do [ -e "$drive/Program.exe.ran" ] || [ -e "$drive/$browser.ran" ] && break; sleep 0.1; done
[ "$(ls glimmark.exe.ran "$drive"/*.ran "$drive/$browser.ran" 2>/dev/null | tee /dev/stderr)" = "$drive/$browser.ran" ]
