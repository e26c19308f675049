# Writes a C++ source that embeds a binary file with the assembler's .incbin:
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -P embed.cmake
# The symbols are <name> (the bytes) and <name>_size.
file(WRITE ${OUTPUT} "// Generated from ${INPUT}; do not edit.
#include <cstddef>

extern \"C\" const unsigned char ${SYMBOL}[];
extern \"C\" const unsigned char ${SYMBOL}_end[];
__asm__(\".section .rodata\\n\"
        \".global ${SYMBOL}\\n\"
        \".global ${SYMBOL}_end\\n\"
        \".balign 16\\n\"
        \"${SYMBOL}:\\n\"
        \".incbin \\\"${INPUT}\\\"\\n\"
        \"${SYMBOL}_end:\\n\"
        \".previous\\n\");

extern const std::size_t ${SYMBOL}_size;
const std::size_t ${SYMBOL}_size = static_cast<std::size_t>(${SYMBOL}_end - ${SYMBOL});
")
