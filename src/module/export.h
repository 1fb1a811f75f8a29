#pragma once
// The module's symbols are hidden unless marked: only its exported functions, classes and globals
// are visible to the host and to the product's other modules.
#define SS_EXPORT __attribute__((visibility("default")))
