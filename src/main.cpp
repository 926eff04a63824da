// The game: everything lives in brawler_core; this is only the entry point.
int brawlerMain();

int main() { return brawlerMain(); }
