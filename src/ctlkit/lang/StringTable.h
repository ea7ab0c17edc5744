#pragma once

// The program's built-in string resources, by string identifier (main program and downloader
// share one table; their identifiers do not collide). Line breaks are real line feeds.
// CLanguage::TranslateString falls back to this table when no language file replaces a text.

// The built-in text of string `id`, or null when the table has none.
const char* BuiltInString(unsigned id);

// Every identifier of the table, ascending (for tests and tools). Writes at most `capacity`
// identifiers to `ids` and returns how many the table holds.
unsigned BuiltInStringIds(unsigned* ids, unsigned capacity);
