#pragma once
// Invariantes de los objetivos de fuzzing: una que no se cumple termina el
// proceso con su texto, y libFuzzer guarda la entrada que la rompió.
#include <cstdio>
#include <cstdlib>

inline void Falla(const char* que) {
    std::fprintf(stderr, "invariante rota: %s\n", que);
    std::abort();
}

#define EXIGIR(cond)                                                                               \
    do {                                                                                           \
        if (!(cond))                                                                               \
            Falla(#cond);                                                                          \
    } while (0)
