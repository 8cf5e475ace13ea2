#include "toolkit/ge_scale.h"

#include "toolkit/form.h"
#include "toolkit/screen.h"

#include <cstdint>

namespace {

constexpr std::int32_t DesignPixelsPerInch = 96;
constexpr std::int32_t DesignFontHeight = -11;

} // namespace

void AdjustFormFonts(TForm& form) {
    if (Screen->PixelsPerInch() == DesignPixelsPerInch) return;
    // Not guarded against repeats: a factor other than one compounds on each call.
    for (int i = form.ControlCount() - 1; i >= 0; --i) {
        TControl* child = form.Controls(i);
        std::int32_t height = child->Font().Height();
        std::int32_t factor = form.Font().Height() / DesignFontHeight;
        // The product wraps like the 32-bit multiplication it stands for.
        child->Font().SetHeight(std::int32_t(std::uint32_t(height) * std::uint32_t(factor)));
    }
}
