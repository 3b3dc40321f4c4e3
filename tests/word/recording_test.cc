#include "word/recording.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "word/object_factory.h"

#include "tests/support/failure_of.h"

namespace quorvane::word {
namespace {

using quorvane::test_support::FailureOf;

// Remembers what reached it. A get answers `values[name]` when set and
// otherwise its one child object; a call answers `values[name]` or EMPTY; the
// member "Refuse" fails.
class FakeObject final : public Dispatch {
 public:
  Value Get(std::string_view name, std::span<const Arg> args) override {
    Note("get", name, args);
    if (const auto it = values.find(name); it != values.end()) return it->second;
    if (!child) child = std::make_shared<FakeObject>();
    return Value::Object(child);
  }
  void Put(std::string_view name, const Value& value) override {
    const Arg arg{{}, value};
    Note("put", name, std::span(&arg, 1));
  }
  Value Call(std::string_view name, std::span<const Arg> args) override {
    Note("call", name, args);
    const auto it = values.find(name);
    return it != values.end() ? it->second : Value();
  }

  std::map<std::string, Value, std::less<>> values;
  std::shared_ptr<FakeObject> child;
  std::vector<std::string> received;  // "op name", in order
  std::vector<Arg> lastArgs;

 private:
  void Note(std::string_view op, std::string_view name, std::span<const Arg> args) {
    if (name == "Refuse") throw AutomationError("Refused by the object");
    received.push_back(std::string(op) + ' ' + std::string(name));
    lastArgs.assign(args.begin(), args.end());
  }
};

// A registry with one fake application under Word's identifiers, behind a
// recording factory.
class RecordingTest : public testing::Test {
 protected:
  RecordingTest() {
    registry.Register(std::string(kWordProgId), std::string(kWordClassId),
                      {std::string(kWordInterfaceId)}, [this] {
                        ++created;
                        return app;
                      });
  }

  Object Start() { return Object(factory.CreateByProgId(kWordProgId)); }

  std::shared_ptr<FakeObject> app = std::make_shared<FakeObject>();
  int created = 0;
  ClassRegistry registry;
  std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
  RecordingFactory factory{registry, recorder};
};

TEST_F(RecordingTest, WritesEveryLineForm) {
  app->values["InchesToPoints"] = R4(21.6f);
  const Object word = Start();
  (void)factory.CreateByClass(kWordClassId, kWordInterfaceId);
  const Object application = word.Get("Application");
  application.Put("Visible", Bool(false));
  (void)application.Call("add");
  (void)application.Get("Borders", I4(-1));
  const Value points = word.Call("InchesToPoints", R8(0.3));
  application.Put("TopMargin", points);
  (void)application.Call("HomeKey", Named("Unit", I4(5)));
  (void)application.Call("EndKey", Named("Extend", I4(1)), Named("Unit", I4(5)));
  application.Put("name", Bstr(u"Times New Roman"));
  application.Put("PageWidth", R4(612));

  const std::vector<std::string> expected = {
      R"(create progid "Word.Application")",
      "create class {000209FF-0000-0000-C000-000000000046} "
      "{00020970-0000-0000-C000-000000000046}",
      "get Application",
      "put Visible = BOOL 0",
      "call add",
      "get Borders(I4 -1)",
      "call InchesToPoints(R8 0.3)",
      "put TopMargin = R4 21.6",
      "call HomeKey(Unit:=I4 5)",
      "call EndKey(Extend:=I4 1, Unit:=I4 5)",
      R"(put name = BSTR "Times New Roman")",
      "put PageWidth = R4 612",
  };
  EXPECT_EQ(recorder->Lines(), expected);
  EXPECT_EQ(recorder->OperationCount(), 12);
  // Everything reached the objects, results came back unchanged.
  EXPECT_EQ(created, 2);
  EXPECT_EQ(points, R4(21.6f));
  EXPECT_EQ(app->received, (std::vector<std::string>{"get Application", "call InchesToPoints"}));
  EXPECT_EQ(app->child->received,
            (std::vector<std::string>{"put Visible", "call add", "get Borders", "put TopMargin",
                                      "call HomeKey", "call EndKey", "put name", "put PageWidth"}));
  EXPECT_EQ(app->child->lastArgs, (std::vector<Arg>{{"", R4(612)}}));
}

TEST(TraceFormat, ValuesAndNumbers) {
  const struct {
    Value value;
    std::string_view text;
  } cases[] = {
      {I2(0), "I2 0"},
      {I2(-32768), "I2 -32768"},
      {I4(9999998), "I4 9999998"},
      {I4(-2147483647 - 1), "I4 -2147483648"},
      {R4(8), "R4 8"},
      {R4(21.6f), "R4 21.6"},
      {R4(0.6f), "R4 0.6"},
      {R4(-0.5f), "R4 -0.5"},
      {R4(16777216.0f), "R4 16777216"},
      {R4Ref(8.5f), "R4& 8.5"},
      {R8(0.3), "R8 0.3"},
      {R8(612), "R8 612"},
      {R8(0.1 + 0.2), "R8 0.30000000000000004"},
      // The same float read as a double needs all its digits.
      {R8(static_cast<double>(21.6f)), "R8 21.600000381469727"},
      {R8(1e300), "R8 1e+300"},
      {Bool(true), "BOOL -1"},
      {Bool(false), "BOOL 0"},
      {Bstr(u"Arial"), R"(BSTR "Arial")"},
      {Value(), "EMPTY"},
      {Value::Object(std::make_shared<FakeObject>()), "DISPATCH"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatValue(value), text);
}

TEST(TraceFormat, TextEscapes) {
  const struct {
    std::u16string text;
    std::string_view quoted;
  } cases[] = {
      {u"", R"("")"},
      {u"Times New Roman", R"("Times New Roman")"},
      {u"a\\b", R"("a\\b")"},
      {u"say \"hi\"", R"("say \"hi\"")"},
      {u"\r\n\f\t", R"("\r\n\f\t")"},
      {std::u16string(u"\0", 1), R"("\x00")"},
      {u"\x01\x0B\x1B\x1F", R"("\x01\x0B\x1B\x1F")"},
      {u" ~\x7F", "\" ~\x7F\""},
      {u"\u00E9\u2013\u2122", "\"\xC3\xA9\xE2\x80\x93\xE2\x84\xA2\""},
      {u"\U0001F600\t\U0001F600", "\"\xF0\x9F\x98\x80\\t\xF0\x9F\x98\x80\""},
      {u"\r\n"
       u"ASCII\r\n",
       R"("\r\nASCII\r\n")"},
  };
  for (const auto& [text, quoted] : cases) {
    EXPECT_EQ(QuoteText(text), quoted);
    EXPECT_EQ(FormatValue(Bstr(text)), "BSTR " + std::string(quoted));
  }
}

TEST(TraceFormat, Arguments) {
  EXPECT_EQ(FormatArgs({}), "");
  const Arg args[] = {{"", I2(1)}, {"Unit", I4(5)}, {"", R4Ref(0.25f)}};
  EXPECT_EQ(FormatArgs(args), "(I2 1, Unit:=I4 5, R4& 0.25)");
}

TEST_F(RecordingTest, FailsTheNthOperationInsteadOfReachingTheObject) {
  recorder->FailOperation(3, "Injected failure");
  const Object word = Start();                                        // 1
  const Object document = word.Get("Documents");                      // 2
  EXPECT_EQ(FailureOf([&] { document.Put("Visible", Bool(true)); }),  // 3
            "Injected failure");
  document.Put("Visible", Bool(false));  // 4 goes through again

  EXPECT_EQ(recorder->Lines(),
            (std::vector<std::string>{R"(create progid "Word.Application")", "get Documents",
                                      "put Visible = BOOL -1", "put Visible = BOOL 0"}));
  EXPECT_EQ(recorder->OperationCount(), 4);
  EXPECT_EQ(app->child->received, std::vector<std::string>{"put Visible"});
  EXPECT_EQ(app->child->lastArgs.at(0).value, Bool(false));
}

TEST_F(RecordingTest, FailsACreationWithoutCreating) {
  recorder->FailOperation(1, "Injected: cannot create");
  recorder->FailOperation(2, "second");
  EXPECT_EQ(FailureOf([&] { (void)factory.CreateByClass(kWordClassId, kWordInterfaceId); }),
            "Injected: cannot create");
  EXPECT_EQ(FailureOf([&] { (void)Start(); }), "second");
  EXPECT_EQ(created, 0);
  EXPECT_EQ(recorder->Lines().size(), 2u);
  EXPECT_TRUE(Start());
  EXPECT_EQ(created, 1);
}

TEST_F(RecordingTest, ObjectFailuresPassThroughAndAreRecorded) {
  const Object word = Start();
  EXPECT_EQ(FailureOf([&] { (void)word.Call("Refuse", I4(1)); }), "Refused by the object");
  EXPECT_EQ(FailureOf([&] { (void)factory.CreateByProgId("Other.Application"); }),
            R"(Cannot create object: ProgID "Other.Application" is not registered)");
  EXPECT_EQ(recorder->Lines().at(1), "call Refuse(I4 1)");
  EXPECT_EQ(recorder->Lines().at(2), R"(create progid "Other.Application")");
  EXPECT_EQ(recorder->OperationCount(), 3);
}

TEST(Recorder, RejectsOperationNumbersBelowOne) {
  Recorder recorder;
  EXPECT_THROW(recorder.FailOperation(0, "x"), std::invalid_argument);
  EXPECT_THROW(recorder.FailOperation(-1, "x"), std::invalid_argument);
}

TEST(Recorder, SinkSeesEachLineAsItHappens) {
  auto app = std::make_shared<FakeObject>();
  std::vector<std::string> seen;
  auto recorder = std::make_shared<Recorder>([&](std::string_view line) {
    // The line is seen before the operation reaches the object.
    seen.push_back(std::string(line) + " after " + std::to_string(app->received.size()));
  });
  recorder->FailOperation(3, "Injected failure");
  const Object word(recorder->Wrap(app));
  word.Put("Visible", Bool(false));
  (void)word.Call("quit");
  EXPECT_EQ(FailureOf([&] { (void)word.Call("quit"); }), "Injected failure");
  EXPECT_EQ(seen, (std::vector<std::string>{"put Visible = BOOL 0 after 0", "call quit after 1",
                                            "call quit after 2"}));
}

TEST_F(RecordingTest, RecordsTheWholeTreeOfObjects) {
  auto documents = std::make_shared<FakeObject>();
  auto document = std::make_shared<FakeObject>();
  app->values["Documents"] = Value::Object(documents);
  documents->values["add"] = Value::Object(document);
  const Object word = Start();
  const Object added(word.Get("Documents").Call("add"));
  added.Get("PageSetup").Get("LineNumbering").Put("Active", I4(0));
  const Object selection = word.Get("Selection");
  selection.Get("Font").Put("Size", R4(8));

  EXPECT_EQ(
      recorder->Lines(),
      (std::vector<std::string>{R"(create progid "Word.Application")", "get Documents", "call add",
                                "get PageSetup", "get LineNumbering", "put Active = I4 0",
                                "get Selection", "get Font", "put Size = R4 8"}));
  EXPECT_EQ(document->child->child->received, std::vector<std::string>{"put Active"});
}

TEST_F(RecordingTest, WrapsEachObjectOnceAndUnwrapsItsOwnObjectsPassedIn) {
  EXPECT_EQ(recorder->Wrap(nullptr), nullptr);
  const DispatchPtr wrapped = recorder->Wrap(app);
  EXPECT_NE(wrapped, app);
  EXPECT_EQ(recorder->Wrap(wrapped), wrapped);

  const Object word(wrapped);
  const Object child = word.Get("Child");
  // The inner object gets back its own child, not the recording wrapper.
  (void)word.Call("Use", Value::Object(child.dispatch()), Named("Count", I4(2)));
  EXPECT_EQ(app->lastArgs, (std::vector<Arg>{{"", Value::Object(app->child)}, {"Count", I4(2)}}));
  word.Put("Target", Value::Object(child.dispatch()));
  EXPECT_EQ(app->lastArgs, (std::vector<Arg>{{"", Value::Object(app->child)}}));

  EXPECT_EQ(recorder->Lines(),
            (std::vector<std::string>{"get Child", "call Use(DISPATCH, Count:=I4 2)",
                                      "put Target = DISPATCH"}));
}

TEST(ClassRegistry, CreatesByClassOrProgIdIgnoringCase) {
  ClassRegistry registry;
  int made = 0;
  registry.Register(
      "Word.Application", "{000209FF-0000-0000-C000-000000000046}",
      {"{00020970-0000-0000-C000-000000000046}", "{00020400-0000-0000-C000-000000000046}"}, [&] {
        ++made;
        return std::make_shared<FakeObject>();
      });
  EXPECT_TRUE(registry.CreateByProgId("Word.Application"));
  EXPECT_TRUE(registry.CreateByProgId("WORD.application"));
  EXPECT_TRUE(registry.CreateByClass("{000209ff-0000-0000-c000-000000000046}",
                                     "{00020970-0000-0000-c000-000000000046}"));
  EXPECT_TRUE(registry.CreateByClass("{000209FF-0000-0000-C000-000000000046}",
                                     "{00020400-0000-0000-C000-000000000046}"));
  EXPECT_EQ(made, 4);
}

TEST(ClassRegistry, DescribesWhatCannotBeCreated) {
  ClassRegistry registry;
  registry.Register("A.App", "{1}", {"{I1}"}, [] { return std::make_shared<FakeObject>(); });
  registry.Register("Null.App", "{2}", {"{I2}"}, [] { return DispatchPtr(); });
  registry.Register("Bad.App", "{3}", {"{I3}"},
                    []() -> DispatchPtr { throw AutomationError("Server execution failed"); });
  registry.Register("", "{4}", {"{I4}"}, [] { return std::make_shared<FakeObject>(); });

  const struct {
    std::function<void()> create;
    std::string_view description;
  } cases[] = {
      {[&] { registry.CreateByClass("{9}", "{I1}"); },
       "Cannot create object: class {9} is not registered"},
      {[&] { registry.CreateByClass("{1}", "{I2}"); },
       "Cannot create object: class {1} does not support interface {I2}"},
      {[&] { registry.CreateByClass("{1}", ""); },
       "Cannot create object: class {1} does not support interface "},
      {[&] { registry.CreateByProgId("Word.Application"); },
       R"(Cannot create object: ProgID "Word.Application" is not registered)"},
      {[&] { registry.CreateByProgId(""); },  // a class registered without a ProgID
       R"(Cannot create object: ProgID "" is not registered)"},
      {[&] { registry.CreateByProgId("Null.App"); },
       R"(Cannot create object: ProgID "Null.App" created no object)"},
      {[&] { registry.CreateByClass("{2}", "{I2}"); },
       "Cannot create object: class {2} created no object"},
      {[&] { registry.CreateByProgId("Bad.App"); }, "Server execution failed"},
  };
  for (const auto& [create, description] : cases) EXPECT_EQ(FailureOf(create), description);
  EXPECT_TRUE(registry.CreateByClass("{4}", "{I4}"));
}

TEST(ClassRegistry, LaterRegistrationReplacesTheEarlierOne) {
  ClassRegistry registry;
  auto first = std::make_shared<FakeObject>();
  auto second = std::make_shared<FakeObject>();
  registry.Register("Word.Application", "{1}", {"{I}"}, [&] { return first; });
  registry.Register("word.application", "{2}", {"{I}"}, [&] { return second; });
  EXPECT_EQ(registry.CreateByProgId("Word.Application"), second);
  EXPECT_EQ(FailureOf([&] { registry.CreateByClass("{1}", "{I}"); }),
            "Cannot create object: class {1} is not registered");
  EXPECT_THROW(registry.Register("X", "{3}", {}, nullptr), std::invalid_argument);
}

}  // namespace
}  // namespace quorvane::word
