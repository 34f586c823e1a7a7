#include "platform/desktop/linux/fltk/fltk_forms.h"

#include <FL/Fl.H>

#include "platform/desktop/linux/fltk/fltk_form.h"
#include "platform/desktop/linux/fltk/fltk_msgbox.h"
#include "platform/desktop/linux/fltk/fltk_options.h"

namespace plat {
namespace {

class FltkForms : public FormsRuntime {
  public:
    FltkForms() {
        fltk::UseOwnOptions();  // before anything asks for an option
        // The plain look of the era's dialogs: grey faces, bevelled boxes,
        // an Arial-like sans-serif (fontconfig picks a metric twin).
        Fl::scheme("base");
        Fl::background(192, 192, 192);
        Fl::set_font(FL_HELVETICA, " Arial");
        Fl::set_font(FL_HELVETICA_BOLD, "BArial");
    }
    std::unique_ptr<Form> CreateForm(const FormDesign& design) override {
        return std::make_unique<fltk::FltkForm>(design);
    }
    void MsgBox(const std::string& text, const std::string& title, MsgIcon icon) override {
        fltk::ShowMessageBox(text, title, icon);
    }
    void Run() override { Fl::run(); }
};

}  // namespace

std::unique_ptr<FormsRuntime> CreateFltkForms() {
    return std::make_unique<FltkForms>();
}

}  // namespace plat
