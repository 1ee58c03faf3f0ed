#pragma once
// Shared between the message composition and the popups of the error module.

#include <cstddef>
#include <string_view>

// The error language as set by ZEM_Fehlersprache.
int FehlerspracheAktuell();
// Length in bytes of the longest prefix of s with at most maxZeichen UTF-8 characters.
std::size_t Utf8PrefixZeichen(std::string_view s, std::size_t maxZeichen);
