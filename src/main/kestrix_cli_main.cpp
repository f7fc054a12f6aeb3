#include <cstdio>

int main() {
    std::puts("kestrix-cli: not built yet");
    return 0;
}
