/* The floor for start-up benchmarks: a bare SDL2 program that opens a window (632 x 492 unless a width and height
   are given, such as the game's 1264 x 984 at scale 2), presents one frame through the window surface, and (with
   ZV_BENCH_FIRST_FRAME set) exits right after it. With ZV_BENCH_FRAMES set it writes the time of that frame to
   standard error, as the game does for each of its frames.
   Usage: zv-floor [W H] */
#include <SDL.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

/* A window side from the command line: a whole number of pixels, 1 to 16384; 0 when it is not one. */
static int Side(const char* text) {
    char* end = NULL;
    long v = strtol(text, &end, 10);
    if (end == text || *end != '\0' || v < 1 || v > 16384) return 0;
    return (int)v;
}

int main(int argc, char** argv) {
    int width = 632, height = 492;
    if (argc == 3) {
        width = Side(argv[1]);
        height = Side(argv[2]);
    }
    if (argc != 1 && (argc != 3 || !width || !height)) {
        fprintf(stderr, "usage: zv-floor [W H]\n");
        return 2;
    }
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* w = SDL_CreateWindow("floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, SDL_WINDOW_BORDERLESS);
    if (!w) return 1;
    SDL_Surface* s = SDL_GetWindowSurface(w);
    SDL_FillRect(s, NULL, SDL_MapRGB(s->format, 151, 179, 185));
    SDL_UpdateWindowSurface(w);
    if (getenv("ZV_BENCH_FRAMES")) {
        /* The game's own line for a presented frame, for bench/startup.sh. */
        struct timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        fprintf(stderr, "zv-floor: frame 1 of window %u at %lld.%06ld\n", SDL_GetWindowID(w), (long long)now.tv_sec,
                now.tv_nsec / 1000);
    }
    if (getenv("ZV_BENCH_FIRST_FRAME")) {
        SDL_DestroyWindow(w);
        SDL_Quit();
        return 0;
    }
    SDL_Event e;
    while (SDL_WaitEvent(&e))
        if (e.type == SDL_QUIT || (e.type == SDL_MOUSEBUTTONDOWN)) break;
    SDL_DestroyWindow(w);
    SDL_Quit();
    return 0;
}
