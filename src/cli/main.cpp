#include <iostream>

int main(int argc, char** argv) {
    (void)argv;
    if (argc < 2) {
        std::cout << "usage: zarosim-cli COMMAND [ARGS]\n";
        return 0;
    }
    return 1;
}
