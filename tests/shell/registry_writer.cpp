// Writes COUNT merchant values named TAG_0, TAG_1, ... below ROOT, for the test
// of two processes writing at once.
#include "shell/registry_store.h"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: registry_writer ROOT TAG COUNT\n";
        return 2;
    }
    try {
        vendaxo::RegistryStore store(argv[1]);
        store.setMerchantNumber("111");
        const int count = std::stoi(argv[3]);
        for (int i = 0; i < count; ++i)
            store.writeMerchant(std::string(argv[2]) + "_" + std::to_string(i), std::to_string(i));
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
