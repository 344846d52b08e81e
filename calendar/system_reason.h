#pragma once

#include <string>
#include <system_error>

namespace selenarc {

// The French wording of a system failure, for messages such as "... n'a pas pu être enregistré :
// plus de place sur le disque". Never the system's own (English) text: a code without a wording of
// its own gives "erreur du système (code N)".
std::string frenchSystemReason(std::error_code error);
std::string frenchSystemReason(int errnoValue);

}  // namespace selenarc
