// The Application object and the objects it reaches directly: Documents,
// Document and Options.

#include "word/embedded/word_application.h"

#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "word/embedded/document_state.h"
#include "word/embedded/member_table.h"
#include "word/embedded/objects.h"
#include "word/embedded/word_values.h"
#include "word/failure_texts.h"

namespace quorvane::word::embedded {
namespace {

using AppPtr = std::shared_ptr<ApplicationState>;

class ApplicationBound {
 public:
  explicit ApplicationBound(AppPtr app) : app_(std::move(app)) {}
  void CheckAvailable() const {
    if (app_->quit) throw AutomationError("The application has quit and can no longer be used.");
  }
  ApplicationState& app() const { return *app_; }
  const AppPtr& appPtr() const { return app_; }

 private:
  AppPtr app_;
};

class DocumentObject final : public MemberDispatch<DocumentObject>, public DocumentBound {
 public:
  static constexpr std::string_view kName = "Document";
  using DocumentBound::DocumentBound;

  static std::span<const Member<DocumentObject>> Members() {
    static constexpr Member<DocumentObject> kMembers[] = {
        {.name = "PageSetup",
         .get = [](DocumentObject& d) { return Value::Object(MakePageSetupObject(d.docPtr())); }},
    };
    return kMembers;
  }
};

Value DocumentValue(std::shared_ptr<DocumentState> doc) {
  return Value::Object(std::make_shared<DocumentObject>(std::move(doc)));
}

class DocumentsObject final : public MemberDispatch<DocumentsObject>, public ApplicationBound {
 public:
  static constexpr std::string_view kName = "Documents";
  using ApplicationBound::ApplicationBound;

  static std::span<const Member<DocumentsObject>> Members() {
    using D = DocumentsObject;
    static constexpr Member<D> kMembers[] = {
        // A new empty document, which becomes the active one.
        {.name = "Add",
         .call =
             [](D& d, std::span<const Arg> args) {
               BindArgs<0>(args, {}, "Documents.Add");
               d.app().documents.push_back(std::make_shared<DocumentState>());
               return DocumentValue(d.app().documents.back());
             }},
        {.name = "Count",
         .get = [](D& d) { return I4(static_cast<std::int32_t>(d.app().documents.size())); }},
    };
    return kMembers;
  }
};

class OptionsObject final : public MemberDispatch<OptionsObject>, public ApplicationBound {
 public:
  static constexpr std::string_view kName = "Options";
  using ApplicationBound::ApplicationBound;

  static std::span<const Member<OptionsObject>> Members() {
    using O = OptionsObject;
    static constexpr Member<O> kMembers[] = {
        {.name = "DefaultBorderLineStyle",
         .get = [](O& o) { return I4(WordNumber(o.app().defaultBorder.lineStyle)); },
         .put =
             [](O& o, const Value& v) {
               o.app().defaultBorder.lineStyle =
                   static_cast<LineStyle>(LineStyleOf(v, "Options.DefaultBorderLineStyle"));
             }},
        {.name = "DefaultBorderLineWidth",
         .get = [](O& o) { return I4(o.app().defaultBorder.lineWidth); },
         .put =
             [](O& o, const Value& v) {
               o.app().defaultBorder.lineWidth = LineWidthOf(v, "Options.DefaultBorderLineWidth");
             }},
        {.name = "DefaultBorderColor",
         .get = [](O& o) { return I4(o.app().defaultBorder.color); },
         .put =
             [](O& o, const Value& v) {
               o.app().defaultBorder.color = ColorOf(v, "Options.DefaultBorderColor");
             }},
    };
    return kMembers;
  }
};

// Hands the active document to the presenter; a presenter's failure becomes
// the failure of the put, with its description.
void Present(const ApplicationState& app) {
  if (app.presenter == nullptr || app.documents.empty()) return;
  const Document document = app.documents.back()->Snapshot();
  try {
    app.presenter->Present(document);
  } catch (const AutomationError&) {
    throw;
  } catch (const std::bad_alloc&) {
    throw;  // told as "Out of memory", not as "std::bad_alloc"
  } catch (const std::exception& e) {
    throw AutomationError(e.what());
  }
}

Value InchesToPoints(std::span<const Arg> args) {
  const auto [inches] = BindArgs<1>(args, {"Inches"}, "Application.InchesToPoints");
  if (inches == nullptr) {
    throw AutomationError("Wrong number of arguments: Application.InchesToPoints takes 1");
  }
  if (inches->kind() == VarKind::Bool) {
    throw AutomationError(std::string(failure_text::kTypeMismatch) +
                          ": Application.InchesToPoints wants a number, got BOOL");
  }
  return R4(static_cast<float>(NumberOf(*inches, "Application.InchesToPoints") * 72.0));
}

class ApplicationObject final : public MemberDispatch<ApplicationObject>,
                                public ApplicationBound,
                                public std::enable_shared_from_this<ApplicationObject> {
 public:
  static constexpr std::string_view kName = "Application";
  using ApplicationBound::ApplicationBound;

  static std::span<const Member<ApplicationObject>> Members() {
    using A = ApplicationObject;
    static constexpr Member<A> kMembers[] = {
        {.name = "Application", .get = [](A& a) { return Value::Object(a.shared_from_this()); }},
        {.name = "Visible",
         .get = [](A& a) { return Bool(a.app().visible); },
         .put =
             [](A& a, const Value& v) {
               const bool visible = BoolOf(v, "Application.Visible");
               if (visible) Present(a.app());
               a.app().visible = visible;
             }},
        {.name = "Documents",
         .get = [](A& a) { return Value::Object(std::make_shared<DocumentsObject>(a.appPtr())); }},
        {.name = "ActiveDocument",
         .get = [](A& a) { return DocumentValue(a.app().RequireDocument()); }},
        {.name = "Selection",
         .get = [](A& a) { return Value::Object(MakeSelectionObject(a.app().RequireDocument())); }},
        {.name = "ActiveWindow",
         .get = [](A& a) { return Value::Object(MakeWindowObject(a.app().RequireDocument())); }},
        {.name = "Options",
         .get = [](A& a) { return Value::Object(std::make_shared<OptionsObject>(a.appPtr())); }},
        {.name = "InchesToPoints",
         .call = [](A&, std::span<const Arg> args) { return InchesToPoints(args); }},
        // Discards every document unsaved; the application is gone after it.
        {.name = "Quit",
         .call =
             [](A& a, std::span<const Arg> args) {
               BindArgs<0>(args, {}, "Application.Quit");
               for (const auto& doc : a.app().documents) doc->discarded = true;
               a.app().documents.clear();
               a.app().visible = false;
               a.app().quit = true;
               return Value();
             }},
    };
    return kMembers;
  }
};

}  // namespace

DispatchPtr CreateWordApplication(std::shared_ptr<DocumentPresenter> presenter) {
  auto app = std::make_shared<ApplicationState>();
  app->presenter = std::move(presenter);
  return std::make_shared<ApplicationObject>(std::move(app));
}

void RegisterWordApplication(ClassRegistry& registry,
                             std::shared_ptr<DocumentPresenter> presenter) {
  registry.Register(
      std::string(kWordProgId), std::string(kWordClassId), {std::string(kWordInterfaceId)},
      [presenter = std::move(presenter)] { return CreateWordApplication(presenter); });
}

}  // namespace quorvane::word::embedded
