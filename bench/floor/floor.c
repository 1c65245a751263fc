/* The floor for start-up benchmarks: a bare SDL2 program that opens a 632 x 492 window, presents one frame
   through the window surface, and (with ZV_BENCH_FIRST_FRAME set) exits right after it. */
#include <SDL.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* w = SDL_CreateWindow("floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 632, 492, SDL_WINDOW_BORDERLESS);
    if (!w) return 1;
    SDL_Surface* s = SDL_GetWindowSurface(w);
    SDL_FillRect(s, NULL, SDL_MapRGB(s->format, 151, 179, 185));
    SDL_UpdateWindowSurface(w);
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
