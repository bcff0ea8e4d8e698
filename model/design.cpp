#include "model/design.h"

namespace bowlyn {

Design::Design(Form& f) : form(f) {}

}  // namespace bowlyn
