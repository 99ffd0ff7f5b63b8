#include "keyboard/KeyTranslator.h"

// Alone in its file: a program that links this library finds the process's
// settings pointer here and must not define its own.
Settings* gpSettings = NULL;
