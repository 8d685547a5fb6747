#pragma once

class Form1;

// Writes every record of the library table into the open database, atomically, and reopens it for
// appending. On failure the file on disk stays as it was, the user is told why, and false is
// returned: the caller keeps its removals pending so that a later attempt can store them.
bool rewriteDatabase(Form1& form);
