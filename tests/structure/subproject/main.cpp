#include "platform/cp1252.h"

int main() {
    return 0;
}
