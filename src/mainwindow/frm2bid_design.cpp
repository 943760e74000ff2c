#include "frm2bid_design.h"

namespace Frm2BidDesign {
std::optional<Control> find(std::string_view name)
{
    for (const Control &control : controls) {
        if (control.name == name)
            return control;
    }
    return std::nullopt;
}
} // namespace Frm2BidDesign
