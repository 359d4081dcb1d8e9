// Prints where a window's client area starts on the screen, so a script can click into it with xdotool.
//
//   client_origin CLASS      prints "X Y" of the first visible window of that class
#include <windows.h>

#include <cstdio>

int main(int argumentCount, char** arguments) {
    if (argumentCount < 2) {
        std::fprintf(stderr, "usage: client_origin CLASS\n");
        return 2;
    }
    HWND window = FindWindowA(arguments[1], NULL);
    if (window == NULL) {
        std::fprintf(stderr, "client_origin: no window of class %s\n", arguments[1]);
        return 1;
    }
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    std::printf("%ld %ld\n", origin.x, origin.y);
    return 0;
}
