// Where the program looks for libraries it loads by name.
#pragma once

// A setup program is usually started from a downloads folder, where a planted
// library of a common name would be loaded in place of the system's. From
// here on libraries are searched in the system folder only; a system without
// that call at least drops the current folder from the search. Call it before
// anything is loaded by name.
void RestrictLibrarySearch();
