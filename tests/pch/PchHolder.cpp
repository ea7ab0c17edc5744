// Holds the precompiled headers the test programs reuse; never run.
int main() { return 0; }
