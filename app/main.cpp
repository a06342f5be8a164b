#include "zelmain.h"

int main(int argc, char *argv[])
{
    return zel::Main(argc, argv);
}
