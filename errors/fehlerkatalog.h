#pragma once
// The error catalogue as one data table: one row per failure class with its German
// and its English message text. An error code -(class * 1000 + location) selects its row by
// class; the location never matters for the text. Texts are UTF-8, quoted exactly as the
// original catalogue has them (misspellings included); "\n" is a line feed.

#include <span>

struct FehlerkatalogZeile {
    int klasse;           // 0 .. 1032, ascending through the table, each class once
    const char* deutsch;  // shown when the error language is not 2
    const char* englisch; // shown when the error language is 2
};

constexpr int FEHLERKATALOG_ZEILEN = 156;

// Texts for a class without a row.
constexpr const char* FEHLERKATALOG_FALLBACK_DEUTSCH = "Ein unbekannter Fehler ist aufgetreten";
constexpr const char* FEHLERKATALOG_FALLBACK_ENGLISCH = "A unknown error occured";

// The whole table, ascending by class.
std::span<const FehlerkatalogZeile> Fehlerkatalog();

// The row of a class, or nullptr when the catalogue has none (fallback text applies).
const FehlerkatalogZeile* FehlerkatalogZeileSuchen(int klasse);
