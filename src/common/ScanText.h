// The character of scan texts that more than one subsystem must know: the
// GS1-128 parser splits fields at it, and typing types it as a character.
#pragma once

// The group separator (code 29) that ends a variable-length piece inside a scan.
#define GS1_GS '\x1d'
