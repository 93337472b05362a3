// trevane-db: the teachers' database tool.
#include <cstdio>

int main() {
    std::fputs("usage: trevane-db compile|dump|list|search|show ...\n", stderr);
    return 2;
}
