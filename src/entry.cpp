// The process entry. SDL 1.2 on Linux has no main wrapper, so this stands in
// for one: it calls SDL_main once static construction is done and ends the
// process with status 0, whatever SDL_main returned.
int SDL_main(int argc, char* argv[]);

int main(int argc, char* argv[])
{
    SDL_main(argc, argv);
    return 0;
}
