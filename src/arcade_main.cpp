// The arcade: the same game from the title to the end of the world; this is only the entry point.
int arcadeMain(int argc, char** argv);

int main(int argc, char** argv) { return arcadeMain(argc, argv); }
