#include "core/support/rdfunc.h"

#include <iostream>

int main() {
    std::cout << "radexa-cli " << RADEXA_VERSION << '\n';
    return 0;
}
