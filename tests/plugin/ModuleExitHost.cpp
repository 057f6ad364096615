// A host that loads the module and returns from main with it still loaded, as
// real hosts do. Run by ModuleExitTest with the module's path.
#include <dlfcn.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2)
        return 3;
    if (!dlopen(argv[1], RTLD_NOW | RTLD_LOCAL)) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 4;
    }
    return 0;
}
