#include <cstdio>

int main() {
    std::puts("bowlyn-cli: not ready yet");
    return 0;
}
