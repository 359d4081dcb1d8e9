# Starts the game among planted files (see planted.cpp). It passes when Web help, pressed on the
# game's toolbar, started the browser and nothing planted ran. Drive C is planted in a private copy
# of the tests' Wine prefix, made of hard links in a moment and removed afterwards, so that the
# prefix the other tests share never sees it.
#   bash planted_files_test.sh GAME SHARED_PREFIX WINE_ENV PLANTED_PROGRAM
shared=$2 wine_env=$3 planted=$4
prefix=$PWD/wineprefix drive=$PWD/wineprefix/drive_c browser="Program Files/Internet Explorer/iexplore.exe"
rm -rf "$prefix" ./*.ran && cp "$1" glimmark.exe && touch setdata.ini && cp -al "$shared" "$prefix" || exit 1
# Wine rewrites its registry files in place, and planted files must not reach the shared prefix:
# these are copied instead of linked.
cp --remove-destination "$shared"/*.reg "$prefix" || exit 1
trap '"$wine_env" "$prefix" stop_wine_server; rm -rf "$prefix"' EXIT
for target in Program.exe "$browser"; do cp --remove-destination "$planted" "$drive/$target"; done
# Wine prefers a DLL beside the exe, as Windows does for one it does not always take from its folder.
GLIMMARK_EXTRA_DLL_OVERRIDES="comctl32=n,b" "$wine_env" "$prefix" "$planted"
for wait in $(seq 900); do [ -e "$drive/Program.exe.ran" ] || [ -e "$drive/$browser.ran" ] && break; sleep 0.1; done
[ "$(ls glimmark.exe.ran "$drive"/*.ran "$drive/$browser.ran" 2>/dev/null | tee /dev/stderr)" = "$drive/$browser.ran" ]
