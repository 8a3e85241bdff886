#pragma once
// The program's string table: every text of the interface by its id, as UTF-8
// (Japanese as written, CR LF escapes as the texts have them).

#include <string>
#include <vector>

namespace res {

// The text of a string id, or nullptr when the table has no such id. Callers
// that have an English fallback set it first and replace it only when the id
// exists.
const char* FindString(unsigned id);

// The text of a string id; empty when the table has no such id.
std::string LoadString(unsigned id);

// Every id in the table, ascending (for the tests that check coverage).
std::vector<unsigned> AllStringIds();

}  // namespace res
