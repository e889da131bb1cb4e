#pragma once

namespace trelvox {

// The two characters that shape every CSV field: the list separator that follows each field and
// the decimal separator inside numbers. The shells fill them from the user's locale; the core only
// passes them on.
struct Separators {
  char list = ',';
  char decimal = '.';
};

}  // namespace trelvox
