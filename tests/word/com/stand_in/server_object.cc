#include "tests/word/com/stand_in/server_object.h"

#include <string>
#include <utility>
#include <vector>

#include "base/utf.h"
#include "tests/word/com/stand_in/live_objects.h"
#include "word/com/com_error.h"
#include "word/com/com_object.h"
#include "word/com/com_values.h"
#include "word/object_factory.h"

namespace quorvane::test_support::stand_in {
namespace {

using word::com::ComError;
using word::com::ComPtr;

constexpr IID kWordApplicationIid = {
    0x00020970, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// What Word's type library says about the members the engine has: these are
// methods, every other member is a property that takes no arguments.
constexpr std::string_view kMethods[] = {"Add",      "Quit",    "InchesToPoints", "WholeStory",
                                         "Collapse", "HomeKey", "EndKey"};
// Properties that hand out a collection; its default member (Item) takes
// the index the engine's property takes directly.
constexpr std::string_view kCollections[] = {"Borders"};

bool Listed(std::span<const std::string_view> list, std::string_view name) {
  for (const std::string_view entry : list) {
    if (word::SameName(entry, name)) return true;
  }
  return false;
}

class ServerObject;
ComPtr<IDispatch> Make(std::shared_ptr<Session> session, word::DispatchPtr target, bool application,
                       std::string collectionOf);

class ServerObject final : public word::com::ComObject<IDispatch> {
 public:
  // `collectionOf`, when set, makes this the collection that property of
  // `target` stands for.
  ServerObject(std::shared_ptr<Session> session, word::DispatchPtr target, bool application,
               std::string collectionOf)
      : session_(std::move(session)),
        target_(std::move(target)),
        application_(application),
        collectionOf_(std::move(collectionOf)) {
    ObjectCreated();
  }
  ~ServerObject() override { ObjectDestroyed(); }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return DISP_E_BADINDEX;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (const HRESULT busy = session_->Admit(); FAILED(busy)) return busy;
    try {
      for (UINT i = 0; i < count; ++i) {
        const std::wstring_view name(names[i]);
        ids[i] = session_->IdOf(std::u16string(name.begin(), name.end()));
      }
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override {
    if (const HRESULT busy = session_->Admit(); FAILED(busy)) return busy;
    try {
      session_->CountOperation();
      const DISPPARAMS none{};
      const Outcome outcome = Perform(member, flags, params != nullptr ? *params : none);
      if (result != nullptr) {
        VariantInit(result);
        if (!outcome.collection.empty()) {
          V_VT(result) = VT_DISPATCH;
          V_DISPATCH(result) = Make(session_, target_, false, outcome.collection).Detach();
        } else {
          word::com::ToVariant(outcome.value, *result, nullptr,
                               [this](const word::DispatchPtr& object) {
                                 return Make(session_, object, false, {});
                               });
        }
      }
      return S_OK;
    } catch (const ComError& e) {
      if (e.code() != DISP_E_EXCEPTION) return e.code();
      return Raise(exception, e.what());
    } catch (const std::exception& e) {
      return Raise(exception, e.what());
    } catch (...) {
      return E_UNEXPECTED;
    }
  }

 private:
  HRESULT Raise(EXCEPINFO* exception, const char* description) const {
    if (exception != nullptr) {
      *exception = EXCEPINFO{};
      exception->scode = E_FAIL;
      exception->bstrSource = word::com::BstrHolder(u"Word.Application").Detach();
      BSTR text = word::com::BstrHolder(base::FromUtf8(description)).Detach();
      if (session_->deferException()) {
        // The text waits in the help file's place until the fill-in.
        exception->bstrHelpFile = text;
        exception->pfnDeferredFillIn = [](EXCEPINFO* info) -> HRESULT {
          std::swap(info->bstrDescription, info->bstrHelpFile);
          return S_OK;
        };
      } else {
        exception->bstrDescription = text;
      }
    }
    return DISP_E_EXCEPTION;
  }

  struct Parsed {
    std::vector<word::Arg> args;
    const VARIANT* putValue = nullptr;
  };

  // COM passes the arguments last to first, the named ones before the rest.
  Parsed Parse(const DISPPARAMS& params) const {
    Parsed parsed;
    const auto objectOf = [](IDispatch*) -> word::DispatchPtr {
      throw ComError(DISP_E_TYPEMISMATCH);  // the engine takes no objects
    };
    for (UINT i = params.cArgs; i-- > params.cNamedArgs;) {
      parsed.args.push_back({"", word::com::ToValue(params.rgvarg[i], objectOf)});
    }
    for (UINT i = params.cNamedArgs; i-- > 0;) {
      const DISPID id = params.rgdispidNamedArgs[i];
      if (id == DISPID_PROPERTYPUT) {
        parsed.putValue = &params.rgvarg[i];
        continue;
      }
      parsed.args.push_back({session_->NameOf(id), word::com::ToValue(params.rgvarg[i], objectOf)});
    }
    return parsed;
  }

  // A result: an engine value, or the collection that a property of this
  // object stands for.
  struct Outcome {
    word::Value value;
    std::string collection;
  };

  Outcome Perform(DISPID member, WORD flags, const DISPPARAMS& params) {
    const bool item = !collectionOf_.empty() &&
                      (member == DISPID_VALUE || word::SameName(NameOf(member), "Item"));
    const std::string name = item ? collectionOf_ : NameOf(member);
    AppendToLog(std::to_string(flags) + ' ' + name);
    Parsed parsed = Parse(params);

    if ((flags & DISPATCH_PROPERTYPUT) != 0) {
      if (item || Listed(kMethods, name)) throw ComError(DISP_E_MEMBERNOTFOUND);
      if (parsed.putValue == nullptr) throw ComError(DISP_E_PARAMNOTOPTIONAL);
      if (!parsed.args.empty()) throw ComError(DISP_E_BADPARAMCOUNT);
      target_->Put(name, word::com::ToValue(*parsed.putValue, [](IDispatch*) -> word::DispatchPtr {
                     throw ComError(DISP_E_TYPEMISMATCH);
                   }));
      return {};
    }
    if ((flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) == 0 || parsed.putValue != nullptr) {
      throw ComError(DISP_E_MEMBERNOTFOUND);
    }
    if (item) {
      if (parsed.args.empty()) throw ComError(DISP_E_PARAMNOTOPTIONAL);
      return {target_->Get(name, parsed.args), {}};
    }
    if (Listed(kMethods, name)) {
      if ((flags & DISPATCH_METHOD) == 0) throw ComError(DISP_E_MEMBERNOTFOUND);
      return {target_->Call(name, parsed.args), {}};
    }
    if ((flags & DISPATCH_PROPERTYGET) == 0) throw ComError(DISP_E_MEMBERNOTFOUND);
    if (!parsed.args.empty()) throw ComError(DISP_E_BADPARAMCOUNT);
    if (Listed(kCollections, name)) return {{}, name};
    return {target_->Get(name, {}), {}};
  }

  std::string NameOf(DISPID member) const {
    if (member == DISPID_VALUE) throw ComError(DISP_E_MEMBERNOTFOUND);
    return session_->NameOf(member);
  }

 private:
  std::shared_ptr<Session> session_;
  word::DispatchPtr target_;
  bool application_;
  std::string collectionOf_;

  bool Is(REFIID iid) const override {
    return iid == IID_IDispatch || (application_ && iid == kWordApplicationIid);
  }
};

ComPtr<IDispatch> Make(std::shared_ptr<Session> session, word::DispatchPtr target, bool application,
                       std::string collectionOf) {
  return word::com::MakeComObject<ServerObject>(std::move(session), std::move(target), application,
                                                std::move(collectionOf));
}

}  // namespace

ComPtr<IDispatch> MakeServerObject(std::shared_ptr<Session> session, word::DispatchPtr target,
                                   bool application) {
  return Make(std::move(session), std::move(target), application, {});
}

}  // namespace quorvane::test_support::stand_in
