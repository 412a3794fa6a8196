// The statement executor: table order, what each family receives, splitting, casts,
// brackets, faults and the unknown-command report.
#include <string>
#include <vector>

#include "interpreter/checked.h"
#include "interpreter/dispatch_tables.h"
#include "support/fixture.h"

namespace quorvex::test {
namespace {

struct Call {
    char family; // o kobj, c kcontrol, a karduinofn, l klibfn, p koperators
    int row;
    std::string rest;
    std::string op;
    std::string results; // Results when the handler was entered
    std::string port;
};

std::vector<Call> calls;
int32_t stand_in_value = 7;

template <char F>
int32_t record(Interpreter& in, const Match& m) {
    calls.push_back({F, m.row, std::string(m.rest), std::string(m.op), in.Results, std::string(m.port)});
    return stand_in_value;
}

template <char F>
int32_t decline(Interpreter& in, const Match& m) {
    record<F>(in, m);
    in.keep_going = 1;
    return 0;
}

class Dispatch : public CoreTest {
protected:
    void SetUp() override {
        calls.clear();
        stand_in_value = 7;
    }
    // Binds a recording stand-in to every row of every table.
    void bind_all() {
        for (auto& h : in.tables.kobj) h = record<'o'>;
        for (auto& h : in.tables.kcontrol) h = record<'c'>;
        for (auto& h : in.tables.karduinofn) h = record<'a'>;
        for (auto& h : in.tables.klibfn) h = record<'l'>;
        for (auto& h : in.tables.koperators) h = record<'p'>;
    }
};

TEST(Matching, ObjectAndControlWordsNeedAnIdentifierBoundary) {
    struct Case {
        const char* s;
        const char* word;
        bool match;
    } cases[] = {
        {"done = 1;", "do", false},
        {"format = 2;", "for", false},
        {"switchState = 1;", "switch", false},
        {"servo2.write(90);", "servo", false},
        {"do {", "do", true},
        {"do{", "do", true},
        {"else{", "else", true},
        {"if(x)", "if", true},
        {"}else {", "}", true},
        {"SD.begin(4);", "SD", true},
        {"SDcard = 1;", "SD", false},
        {"Serial.println(x);", "Serial.", true},
        {"interrupts();", "interrupts", true},
        {"return;", "return", true},
        {"returned = 1;", "return", false},
        {"do", "do", true},
        {"d", "do", false},
    };
    for (const Case& c : cases) EXPECT_EQ(prefix_matches(c.s, c.word), c.match) << c.s << " / " << c.word;
}

TEST(Matching, ArduinoCallMustBeTheWholeStatement) {
    struct Case {
        const char* s;
        const char* word;
        bool match;
    } cases[] = {
        {"delay(100)", "delay", true},
        {"delay (100)", "delay", true},
        {"delayMicroseconds(5)", "delay", false},
        {"millis()", "millis()", true},
        {"millis() + (5)", "millis()", false},
        {"digitalRead(2) && digitalRead(3)", "digitalRead", false},
        {"digitalRead(2)", "digitalRead", true},
        {"random(analogRead(0))", "random", true},
        {"String(\")(\")", "String", true},
        {"map(x, 0, 1023, 0, 255) * 2", "map", false},
    };
    for (const Case& c : cases) EXPECT_EQ(call_matches(c.s, c.word), c.match) << c.s;
}

TEST(Matching, EveryArduinoRowIsReachableByItsOwnCall) {
    // An earlier row must never shadow a later one ("isAlpha" / "isAlphaNumeric", "min" / "minute").
    for (int i = 1; i <= max_afn; ++i) {
        const std::string word(karduinofn[static_cast<size_t>(i)].word);
        const std::string call = word.back() == ')' ? word : word + "(1)";
        int first = 0;
        for (int j = 1; j <= max_afn && first == 0; ++j)
            if (call_matches(call, karduinofn[static_cast<size_t>(j)].word)) first = j;
        EXPECT_EQ(first, i) << call;
    }
    for (int i = 1; i <= max_control; ++i) {
        const std::string statement = std::string(kcontrol[static_cast<size_t>(i)].word) + " (x);";
        int first = 0;
        for (int j = 1; j <= max_control && first == 0; ++j)
            if (prefix_matches(statement, kcontrol[static_cast<size_t>(j)].word)) first = j;
        EXPECT_EQ(first, i) << statement;
    }
}

TEST(Matching, CastWordsAndStatementCut) {
    EXPECT_EQ(cast_type("int"), 4);
    EXPECT_EQ(cast_type(" float "), 6);
    EXPECT_EQ(cast_type("unsigned long"), 5);
    EXPECT_EQ(cast_type("uint8_t"), 2);
    EXPECT_EQ(cast_type("String"), 7);
    EXPECT_EQ(cast_type("integer"), 0);
    EXPECT_EQ(cast_type("unsigned"), 0);
    EXPECT_EQ(cast_type("a + b"), 0);
    EXPECT_EQ(cut_statement(" x = 1; y = 2; "), "x = 1");
    EXPECT_EQ(cut_statement("print(\"a;b\"); z"), "print(\"a;b\")");
    EXPECT_EQ(cut_statement("c = ';';"), "c = ';'");
}

TEST_F(Dispatch, FamiliesReceiveTheirRest) {
    bind_all();
    in.evaluate_expression("Serial.println(x); ");
    in.evaluate_expression("if (a) {");
    in.evaluate_expression("delay(100);");
    in.evaluate_expression("delayMicroseconds(5);");
    in.evaluate_expression("adjustTime(5) ;");
    in.evaluate_expression("x = y;");
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[0].family, 'o');
    EXPECT_EQ(calls[0].row, 4);
    EXPECT_EQ(calls[0].rest, "println(x);"); // uncut
    EXPECT_EQ(calls[0].port, "Serial");
    EXPECT_EQ(calls[1].family, 'c');
    EXPECT_EQ(calls[1].rest, "(a) {");
    EXPECT_EQ(calls[2].family, 'a');
    EXPECT_EQ(calls[2].row, 1);
    EXPECT_EQ(calls[2].rest, "(100)"); // cut
    EXPECT_EQ(calls[3].row, 2);
    EXPECT_EQ(calls[4].family, 'l');
    EXPECT_EQ(calls[4].rest, "(5)");
    EXPECT_EQ(calls[5].family, 'p');
    EXPECT_EQ(calls[5].rest, "x = y"); // operators get the whole cut statement
    EXPECT_EQ(calls[5].op, "=");
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Dispatch, ReturnedAndDroppedResults) {
    bind_all();
    stand_in_value = 42;
    EXPECT_EQ(in.evaluate_expression("digitalRead(3)"), 42);
    EXPECT_EQ(in.evaluate_expression("digitalWrite(3, 1)"), 0);
    EXPECT_EQ(in.evaluate_expression("while (1) {"), 0);
    EXPECT_EQ(in.evaluate_expression("sizeof(x)"), 42);
    EXPECT_EQ(in.evaluate_expression("a + b"), 42);
    EXPECT_EQ(in.evaluate_expression("loop() {"), 0);
}

TEST_F(Dispatch, BoundaryKeepsAssignmentsAwayFromControlWords) {
    bind_all();
    for (const char* s : {"done = 1;", "format = 2;", "switchState = 1;", "iffy = 3;", "breakTime = 4;"}) {
        calls.clear();
        in.evaluate_expression(s);
        ASSERT_EQ(calls.size(), 1u) << s;
        EXPECT_EQ(calls[0].family, 'p') << s;
        EXPECT_EQ(calls[0].op, "=") << s;
    }
}

TEST_F(Dispatch, DecliningHandlerPassesToTheNextEntry) {
    bind_all();
    in.tables.koperators[11] = decline<'p'>; // "=" declines a comparison
    in.evaluate_expression("a == b");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].op, "=");
    EXPECT_EQ(calls[1].op, "==");
    EXPECT_EQ(in.keep_going, 0);
}

TEST_F(Dispatch, ObjectNamesMatchOnlyOnceRegisteredAndUntilReset) {
    bind_all();
    in.evaluate_expression("servo_object.write(90);");
    for (const Call& c : calls) EXPECT_NE(c.family, 'o'); // a placeholder never matches
    calls.clear();
    host.errors.clear();
    in.register_object(servo_key, "servo");
    in.register_object(softser_key, "mySerial");
    in.evaluate_expression("servo.write(90);");
    in.evaluate_expression("servo2.write(90);");
    in.evaluate_expression("mySerial.print(1);");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].family, 'o');
    EXPECT_EQ(calls[0].row, servo_key);
    EXPECT_EQ(calls[0].rest, ".write(90);");
    EXPECT_EQ(calls[1].row, softser_key);
    EXPECT_EQ(calls[1].port, "mySerial");
    EXPECT_EQ(messages(), std::vector<std::string>{"Unknown command: write(90)"}); // servo2 is not servo

    in.load_text("void setup() {\n}\n");
    in.RestartClick();
    bind_all();
    calls.clear();
    in.evaluate_expression("servo.write(90);");
    EXPECT_TRUE(calls.empty()); // the name is gone: "." fallback, then nothing knows write(90)
}

TEST_F(Dispatch, EverySemicolonOutsideLiteralsSplits) {
    bind_all();
    in.evaluate_expression("delay(1); tone(2); pinMode(3);");
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].row, 1);
    EXPECT_EQ(calls[1].row, 3);
    EXPECT_EQ(calls[2].row, 5);

    calls.clear();
    in.evaluate_expression("break; continue;");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].rest, ";"); // each part keeps its ";"
    EXPECT_EQ(calls[1].rest, ";");

    calls.clear();
    in.evaluate_expression("before = 1; after = 2;");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].rest, "before = 1");
    EXPECT_EQ(calls[1].rest, "after = 2");

    calls.clear();
    in.evaluate_expression("Serial.println(\"a;b\");");
    in.evaluate_expression("c = ';'; d = 1;");
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].rest, "println(\"a;b\");");
    EXPECT_EQ(calls[1].rest, "c = ';'");
    EXPECT_EQ(calls[2].rest, "d = 1");
}

TEST_F(Dispatch, NoSplitForForLoopsAndBraces) {
    bind_all();
    in.evaluate_expression("for (i = 0; i < 3; i++) {");
    in.evaluate_expression("for(;;) x = 1; y = 2;");
    in.evaluate_expression("if (a) { b = 1; c = 2; }");
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].rest, "(i = 0; i < 3; i++) {");
    EXPECT_EQ(calls[1].rest, "(;;) x = 1; y = 2;");
    EXPECT_EQ(calls[2].family, 'c');
}

TEST_F(Dispatch, ResultsClearedForEachSplitPart) {
    bind_all();
    in.tables.karduinofn[1] = [](Interpreter& i, const Match& m) {
        record<'a'>(i, m);
        i.Results = "left over";
        return 0;
    };
    in.evaluate_expression("delay(1); tone(2);");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].results, "");
}

TEST_F(Dispatch, BracedBlockRunsItsInside) {
    bind_all();
    in.evaluate_expression("{ x = 5; }");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rest, "x = 5");
}

TEST_F(Dispatch, MethodFallbackLeavesTheReceiverInResults) {
    bind_all();
    in.evaluate_expression("s.length()");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].family, 'a');
    EXPECT_EQ(calls[0].row, 40);
    EXPECT_EQ(calls[0].results, "s");
    EXPECT_EQ(in.Results, "s");
}

TEST_F(Dispatch, UnknownCommandAndNotYetBuiltHandlers) {
    in.tables.kobj[6] = nullptr; // rows without a handler
    in.tables.kobj[8] = nullptr;
    in.evaluate_expression("foo;");
    in.evaluate_expression("EEPROM.write(13, 1);");
    in.evaluate_expression("SD.open(\"a;b\"); ");
    in.evaluate_expression("foo.bar()");
    EXPECT_EQ(messages(), (std::vector<std::string>{"Unknown command: foo", "Unknown command: EEPROM.write(13, 1)",
                                                    "Unknown command: SD.open(\"a;b\")", "Unknown command: bar()"}));
}

TEST_F(Dispatch, BuiltInWordsAreSilent) {
    in.interrupts.allow_interrupts = true;
    in.evaluate_expression("noInterrupts();");
    EXPECT_FALSE(in.interrupts.allow_interrupts);
    in.evaluate_expression("interrupts();");
    EXPECT_TRUE(in.interrupts.allow_interrupts);
    EXPECT_EQ(in.evaluate_expression("initialize(5) + 3;"), 0);
    in.evaluate_expression("noTone(8);");
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Dispatch, UnmatchedBracketIsOneFaultAndStopsRun) {
    in.Timer1.Enabled = true;
    in.AutoStep.Checked = true;
    EXPECT_EQ(in.evaluate_expression("(1 + 2"), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"Cannot Evaluate (1 + 2"});
    EXPECT_FALSE(in.Timer1.Enabled);
    EXPECT_FALSE(in.AutoStep.Checked);
    EXPECT_EQ(in.RunButton.Hint, "Run F9");
}

TEST_F(Dispatch, BracketValuesAndCasts) {
    EXPECT_EQ(in.evaluate_expression("(12)"), 12);
    EXPECT_EQ(in.evaluate_expression("((int)5)"), 5);
    EXPECT_EQ(in.n_type, 4);
    EXPECT_EQ(in.evaluate_expression("(float)3"), 3);
    EXPECT_EQ(in.n_type, 6);
    EXPECT_DOUBLE_EQ(in.var_float, 3.0);
    EXPECT_EQ(in.evaluate_expression("(unsigned long)70"), 70);
    EXPECT_EQ(in.n_type, 5);
    EXPECT_EQ(in.evaluate_expression("(char) 65"), 65);
    EXPECT_EQ(in.n_type, 3);
    EXPECT_TRUE(host.errors.empty());
    in.evaluate_expression("(integer)7");
    EXPECT_EQ(messages(), std::vector<std::string>{"Unknown command: integer"});
}

// A float in a bracket is written back exactly, so «1 + (0.1 + 0.2)» is 1.3 to the last bit
// the evaluation has, with an exponent for tiny and huge values, and negative ones.
TEST_F(Dispatch, FloatBracketsKeepTheirValue) {
    const std::pair<const char*, long double> cases[] = {
        {"1 + (0.1 + 0.2)", 1.0L + (0.1L + 0.2L)},
        {"2 * (0.000001 / 3)", 2 * (0.000001L / 3)},
        {"(0 - 2.5) * 3", -7.5L},
        {"(0.0000001 * 0.0000003) * 10", 0.0000001L * 0.0000003L * 10},
        {"(123456789.0 * 1000000.0) - 1", 123456789.0L * 1000000.0L - 1},
    };
    for (const auto& [text, value] : cases) {
        in.evaluate_expression(text);
        EXPECT_EQ(in.n_type, n_float) << text;
        EXPECT_EQ(in.var_float, value) << text;
    }
    EXPECT_EQ(in.evaluate_expression("7 + (2 == 2)"), 8);
    EXPECT_EQ(in.n_type, n_int);
    EXPECT_TRUE(host.errors.empty());
}

int32_t float_source(Interpreter& in, const Match&) {
    in.n_type = 6;
    in.var_float = in.Results == "big" ? 1e20 : -2.75;
    return 99;
}

TEST_F(Dispatch, CastOfAFloatTruncatesItsFloatValue) {
    in.tables.klibfn[2] = float_source;
    EXPECT_EQ(in.evaluate_expression("(int)adjustTime(1)"), -2);
    EXPECT_EQ(in.n_type, 4);
    EXPECT_EQ(in.evaluate_expression("(float)adjustTime(1)"), 99);
    EXPECT_EQ(in.n_type, 6);
    EXPECT_DOUBLE_EQ(in.var_float, -2.75);
    in.Results = "big";
    EXPECT_EQ(in.evaluate_expression("(long)adjustTime(1)"), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"Cannot Evaluate (long)adjustTime(1)"});
}

TEST_F(Dispatch, ArduinoCallFollowedByMoreTextGoesToTheOperators) {
    bind_all();
    in.evaluate_expression("millis() + (5)");
    in.evaluate_expression("digitalRead(2) && digitalRead(3)");
    in.evaluate_expression("x = millis();");
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].op, "+");
    EXPECT_EQ(calls[1].op, "&&");
    EXPECT_EQ(calls[2].op, "=");
}

TEST_F(Dispatch, TrailingBracketIsReplacedByItsValue) {
    bind_all();
    in.tables.koperators[11] = decline<'p'>;
    in.tables.koperators[20] = [](Interpreter& i, const Match& m) {
        record<'p'>(i, m);
        return 1;
    };
    in.evaluate_expression("x + (a == b)");
    std::vector<std::string> seen;
    for (const Call& c : calls)
        if (c.op != "=") seen.push_back(c.rest);
    // The new text goes to its operator once: a second evaluation would repeat its side effects.
    EXPECT_EQ(seen, (std::vector<std::string>{"a == b", "x + 1"}));

    // A call's bracket is not evaluated on its own: «f(a) == g(b)» goes whole to "==".
    calls.clear();
    in.evaluate_expression("f(a) == g(b)");
    seen.clear();
    for (const Call& c : calls)
        if (c.op == "==") seen.push_back(c.rest);
    EXPECT_EQ(seen, std::vector<std::string>{"f(a) == g(b)"});

    // A bracket holding "," is left as it stands.
    calls.clear();
    in.evaluate_expression("y + (a, b == c)");
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().rest, "y + (a, b == c)");
}

// Table decisions are kept per text; the handlers are not, and the object words are not.
TEST_F(Dispatch, KeptPlansUseTheHandlersAndObjectWordsOfTheMoment) {
    in.new_entry(n_int, "x", 0);
    EXPECT_EQ(in.evaluate_expression("x = 3;"), 3);
    bind_all();
    in.evaluate_expression("x = 3;");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].op, "=");

    // A name that became an object's since its plan was made is that object's now.
    calls.clear();
    in.evaluate_expression("radio.begin(9600);");
    EXPECT_TRUE(calls.empty());
    in.register_object(softser_key, "radio.");
    calls.clear();
    in.evaluate_expression("radio.begin(9600);");
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].family, 'o');
    EXPECT_EQ(calls[0].row, softser_key);
}

TEST_F(Dispatch, KeptPlansAreBoundedAndStartAfreshWhenFull) {
    in.new_entry(n_int, "x", 0);
    const auto limit = static_cast<int>(PlanMemo::capacity);
    for (int i = 0; i < limit + 10; ++i) in.evaluate_expression("x = " + std::to_string(i) + ";");
    EXPECT_LE(in.kept_plans(), PlanMemo::capacity);
    EXPECT_LT(in.kept_plans(), 20u);
    EXPECT_EQ(in.vars.at(n_int, 1).ival, limit + 9);

    // Texts made from values («(x) * 2» becomes «9 * 2») are not kept.
    const size_t kept = in.kept_plans();
    for (int i = 0; i < 100; ++i) {
        in.vars.at(n_int, 1).ival = i;
        EXPECT_EQ(in.evaluate_expression("(x) * 2"), 2 * i);
    }
    EXPECT_LE(in.kept_plans(), kept + 2);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Dispatch, DeepNestingIsOneFaultAndTheNextStatementWorks) {
    const std::string deep = std::string(1000, '(') + "1" + std::string(1000, ')');
    EXPECT_EQ(in.evaluate_expression(deep), 0);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].message.rfind("Cannot Evaluate (", 0), 0u);
    EXPECT_EQ(in.evaluate_expression("(((7)))"), 7);
    EXPECT_EQ(host.errors.size(), 1u);
}

TEST_F(Dispatch, NumberBeyondInt32IsAFault) {
    EXPECT_EQ(in.evaluate_expression("(99999999999)"), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"Cannot Evaluate (99999999999)"});
}

} // namespace
} // namespace quorvex::test
