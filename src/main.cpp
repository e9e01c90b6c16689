// The start procedure.
int main() { return 0; }
