// The arcade: the same game from the title to the end of the world; this is only the entry point.
int arcadeMain();

int main() { return arcadeMain(); }
