// Scripts against a real form: the same results as the C++ calls, handlers with by-reference
// arguments, errors with their numbers, and bad scripts stopped with a message, never a crash.
#include <array>
#include <string>

#include "controls/Controls.h"
#include "controls/text/ucLabel.h"
#include "controls/text/ucLabelHTML.h"
#include "controls/text/ucText.h"
#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "scripting/LuaHost.h"
#include "scripting/ScriptDriver.h"
#include "support/PlatformTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

class LuaHostTest : public test::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        registerControls(TypeLibrary::current(), ControlClasses::current());
        form = std::make_unique<Form>(u"Main");
        Extender at;
        at.Move(150, 150, 3000, 600);
        label = &form->add<ucLabelHTML>(u"lbl", -1, at);
        for (int i = 0; i < 2; ++i) {
            at.Move(150, 900 + i * 700, 1500, 600);
            form->add<ucLabelHTML>(u"opt", i, at);
        }
        form->Show();
        platform->PumpMessages();
        driver = std::make_unique<ScriptDriver>(platform.get());
        lua = std::make_unique<LuaHost>(*form, driver.get());
    }
    void TearDown() override {
        lua.reset();
        form.reset();
        PlatformTest::TearDown();
    }
    // Runs a script; "" when it succeeds, else its error text.
    std::string run(const std::string& code) {
        std::string error;
        return lua->run(code, "test", error) ? "" : error;
    }
    std::unique_ptr<Form> form;
    ucLabelHTML* label = nullptr;
    std::unique_ptr<ScriptDriver> driver;
    std::unique_ptr<LuaHost> lua;
};

// A public class with an indexed property: Item(i), 0 to 3.
class Shelf : public Object {
public:
    std::u16string typeName() const override { return u"Shelf"; }
    std::u16string Item(int i) const { return m_items.at(check(i)); }
    void Item(int i, std::u16string v) { m_items.at(check(i)) = std::move(v); }

private:
    static std::size_t check(int i) {
        if (i < 0 || i > 3) throw Error::standard(errors::InvalidPropertyArrayIndex, u"Shelf");
        return static_cast<std::size_t>(i);
    }
    std::array<std::u16string, 4> m_items;
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST_F(LuaHostTest, ScriptAccessMatchesTheDirectCalls) {
    EXPECT_EQ(run(R"(
        form.lbl.Caption = "From <i>Lua</i>"
        form.lbl.CaptionAlignment = Orvane.AlignEnumEx.AlignBotRight
        form.lbl.FontSize = 12.5
        form.opt[1].Caption = "second"
        test.check(form.opt[0].Caption == "opt", "array members keep their own captions")
    )"),
              "");
    EXPECT_EQ(label->Caption(), u"From <i>Lua</i>");
    EXPECT_EQ(label->CaptionAlignment(), AlignEnumEx::AlignBotRight);
    EXPECT_FLOAT_EQ(label->FontSize(), 12.5f);
    EXPECT_EQ(static_cast<ucLabelHTML&>(form->control(u"opt", 1)).Caption(), u"second");

    // The other way round, and a method with its optional argument left out.
    label->WordWrap(false);
    label->ForeColor(0x123456);
    EXPECT_EQ(run(R"(
        test.check(form.lbl.WordWrap == false, "WordWrap")
        test.check(form.lbl.ForeColor == 0x123456, "ForeColor")
        test.check(form.lbl:TranslateColor(0x80000005) == )" +
                  std::to_string(label->TranslateColor(0x80000005)) + R"(, "TranslateColor")
        test.check(Orvane.BorderStyleEnum["Fixed Single"] == 1, "enumeration")
        test.check(form.lbl == form.lbl, "one control is one object")
    )"),
              "");
}

TEST_F(LuaHostTest, IndexedPropertiesAreReadAndWrittenByCall) {
    ClassBuilder<Shelf> b(u"Shelf");
    b.creatable().indexed<std::u16string, int>(u"Item", u"Index", &Shelf::Item, &Shelf::Item);
    TypeLibrary::current().registerClass(b.build());
    EXPECT_EQ(run(R"(
        local s = create("Shelf")
        s:Item(2, "two")
        test.check(s:Item(2) == "two" and s:Item(1) == "", "written and read by index")
        local ok, e = pcall(function() return s:Item(9) end)
        test.check(not ok and e.number == 381, "an index out of range is 381")
        ok, e = pcall(function() return s:Item() end)
        test.check(not ok and e.number == 449, "the index is not optional")
    )"),
              "");
}

TEST_F(LuaHostTest, HandlersSeeEventsInOrderAndWriteBackArguments) {
    EXPECT_EQ(run(R"(
        local seen = {}
        on(form.lbl, "MouseDown", function(e) seen[#seen + 1] = "down" end)
        on(form.lbl, "MouseUp", function(e) seen[#seen + 1] = "up" end)
        on(form.lbl, "Click", function(e) seen[#seen + 1] = "click" end)
        on(form.lbl, "KeyPress", function(e) if e.KeyAscii == 97 then e.KeyAscii = 0 end end)
        on(form.lbl, "KeyPress", function(e) seen[#seen + 1] = "key " .. e.KeyAscii end)
        test.click("lbl")
        test.advance(1000)
        test.type("ab")
        test.check(table.concat(seen, ",") == "down,up,click,key 0,key 98", table.concat(seen, ","))
    )"),
              "");
}

TEST_F(LuaHostTest, LibraryErrorsCarryTheirNumbersEvenFromHandlers) {
    EXPECT_EQ(run(R"(
        local ok, e = pcall(function() form.lbl.BackStyle = 5 end)
        test.check(not ok and e.number == 380 and e.description:find("lbl.BackStyle", 1, true),
                   tostring(e))
        on(form.lbl, "Click", function() form.lbl.CaptionAlignment = 42 end)
        ok, e = pcall(test.click, "lbl")
        test.check(not ok and e.number == 380, "an error inside a handler surfaces: " .. tostring(e))
    )"),
              "");
    // Uncaught, the run fails with the number in its message.
    const std::string error = run("form.lbl.Appearance = 7");
    EXPECT_TRUE(contains(error, "error 380")) << error;
}

TEST_F(LuaHostTest, BadScriptsFailWithAMessageNamingWhat) {
    EXPECT_TRUE(contains(run("return form.lbl.Nope"), "lbl.Nope")) << run("return form.lbl.Nope");
    EXPECT_TRUE(contains(run("form.lbl:TranslateColor()"), "error 449"));
    EXPECT_TRUE(contains(run("form.lbl:TranslateColor(1, 2, 3)"), "error 450"));
    EXPECT_TRUE(contains(run("form.lbl.Font = 'Arial'"), "error 13"));
    EXPECT_TRUE(contains(run("form.lbl.Caption = print"), "function"));
    EXPECT_TRUE(contains(run("return form.nothing"), "no control named nothing"));
    EXPECT_TRUE(contains(run("return form.opt.x"), "indexed by number"));
    EXPECT_TRUE(contains(run("test.key('NoSuchKey')"), "unknown key"));
    EXPECT_TRUE(contains(run("return create('Orvane.NoSuchClass')"), "error 429"));
    EXPECT_TRUE(contains(run("this is not lua"), "syntax error"));
    EXPECT_TRUE(contains(run("test.check(false, 'told')"), "check failed: told"));

    // A control removed under a script's feet is an error, not a dangling pointer.
    EXPECT_EQ(run("kept = form:Add('Orvane.ucLabelHTML', 'temp')"), "");
    form->remove(form->control(u"temp"));
    EXPECT_TRUE(contains(run("return kept.Caption"), "no longer exists"));

    // An endless script is stopped.
    lua->timeout(0.2);
    EXPECT_TRUE(contains(run("while true do end"), "ran out of time"));
}

// Colours are unsigned in scripts, other Long values signed; the type library says which.
TEST_F(LuaHostTest, ColoursReadBackAsWrittenAndLongsStaySigned) {
    EXPECT_EQ(run(R"(
        form.lbl.ForeColor = 0x80000008
        assert(form.lbl.ForeColor == 0x80000008, tostring(form.lbl.ForeColor))
        form.lbl.BackColor = 0xFFFFFF
        assert(form.lbl.BackColor == 0xFFFFFF)
        form.lbl.Tag = "x"
        form.lbl.Left = -300
        assert(form.lbl.Left == -300)
        -- a Long result stays signed: TranslateColor of an invalid colour is -1
        assert(form.lbl:TranslateColor(0x80000099) == -1)
    )"),
              "");
    EXPECT_EQ(label->ForeColor(), 0x80000008u);
}

// A string given where a byte array is taken is its bytes; bytes(s) makes a byte array where
// text would also do; a table there is a type mismatch naming the member.
TEST_F(LuaHostTest, StringsAreBytesWhereTheMemberTakesBytes) {
    auto& image = form->add<ucLabel>(u"img", -1, Extender());
    (void)image;
    EXPECT_EQ(run(R"(
        local f = io.open(")" +
                  std::string(ORVANE_SOURCE_DIR) +
                  R"(/src/resources/glyphs/check.png", "rb")
        local png = f:read("a")
        f:close()
        form.img.PNG = png
        assert(form.img.PNG == png, "the bytes come back")
        local cache = create("Orvane.cGDIPCache")
        cache:AddImage("glyphs", bytes(png))
        assert(cache:Width("glyphs") == 192, tostring(cache:Width("glyphs")))
        local ok, err = pcall(function() form.img.PNG = {1, 2, 3} end)
        assert(not ok and err.number == 13, tostring(err))
        assert(err.description:find("img.PNG"), err.description)
    )"),
              "");
    EXPECT_EQ(image.imageState().pixelWidth(), 192);
    // Text that is not UTF-8 becomes replacement characters, not an error.
    EXPECT_EQ(run("form.lbl.Tag = 'a\\xFF\\xFEb'"), "");
    EXPECT_EQ(label->Extender().Tag().toString(), u"a\uFFFD\uFFFDb");
}

// A collection a member returns can be counted, indexed and walked; the form's controls are
// one, and a control removed from inside its own handler is gone safely.
TEST_F(LuaHostTest, ReturnedCollectionsAndTheFormAreScriptable) {
    EXPECT_EQ(run(R"(
        local cache = create("Orvane.cGDIPCache")
        cache:AddImage("a", bytes(form.lbl.Caption .. "x"))
        local keys = create("Orvane.Collection")
        keys:Add("one") keys:Add("two", "k2") keys:Add("zero", nil, 1)
        assert(keys.Count == 3 and #keys == 3 and keys:Item("k2") == "two")
        local seen = {}
        for i, v in ipairs(keys) do seen[#seen + 1] = v end
        assert(table.concat(seen, ",") == "zero,one,two", table.concat(seen, ","))
        keys:Remove(1)
        assert(keys[1] == "one" and keys[3] == nil)

        local names = {}
        for _, c in ipairs(form.Controls) do names[#names + 1] = c.Name end
        assert(table.concat(names, ",") == "lbl,opt,opt", table.concat(names, ","))
        assert(form.hWnd ~= 0)
        on(form.lbl, "Click", function() form:Remove(form.lbl) end)
        test.click(form.lbl)
        assert(#form.Controls == 2)
    )"),
              "");
    EXPECT_THROW(form->control(u"lbl"), Error);
}

namespace {

// A script watches a control's window through cSubClass: every message comes to its handler,
// which passes it on and may change the answer; the handler unhooks on the window's last message.
TEST_F(LuaHostTest, AScriptWatchesAWindowsMessages) {
    const HWND target = label->hWnd();
    EXPECT_EQ(run(R"(
        watcher = create("Orvane.cSubClass")
        seen = {}
        on(watcher, "WindowProc", function(e)
            seen[#seen + 1] = e.Msg
            e.Result = watcher:CallWindowProc(e.Msg, e.wParam, e.lParam)
            if e.Msg == 0x0084 then e.Result = 18 end  -- every point is on the border
        end)
        watcher:Hook(form.lbl.hWnd)
        assert(watcher.hWnd == form.lbl.hWnd)
    )"),
              "");
    EXPECT_EQ(SendMessageW(target, WM_NCHITTEST, 0, 0), 18);
    EXPECT_EQ(run(R"(
        assert(seen[#seen] == 0x0084, tostring(seen[#seen]))
        watcher:UnHook()
        assert(watcher.hWnd == 0)
    )"),
              "");
    EXPECT_NE(SendMessageW(target, WM_NCHITTEST, 0, 0), 18);
}

}  // namespace

// Drop events reach scripts with the data object usable: its formats, its file list, its
// errors, and the effect written back.
TEST_F(LuaHostTest, DropHandlersReadTheDataObject) {
    Extender at;
    at.Move(150, 2400, 3000, 400);
    auto& txt = form->add<ucText>(u"txt", -1, at);
    platform->PumpMessages();
    EXPECT_EQ(run(R"(
        form.txt.OLEDropMode = 1
        dropped = {}
        on(form.txt, "OLEDragOver", function(e) states = (states or "") .. e.State end)
        on(form.txt, "OLEDragDrop", function(e)
            assert(e.Data:GetFormat(15) and not e.Data:GetFormat(1))
            for _, f in ipairs(e.Data.Files) do dropped[#dropped + 1] = f end
            local ok, err = pcall(function() return e.Data:GetData(1) end)
            assert(not ok and err.number == 461, tostring(err))
            ok, err = pcall(function() e.Data:SetData("x", 1) end)
            assert(not ok and err.number == 5, tostring(err))
            e.Effect = 0
        end)
    )"),
              "");
    const POINT p = platform->ClientToScreenPoint(txt.hWnd(), 10, 5);
    // The handler refused the drop by its effect.
    EXPECT_EQ(platform->DropFiles(p.x, p.y, {u"/a.txt", u"/b c.png"}), DROPEFFECT_NONE);
    EXPECT_EQ(run(R"(
        test.check(table.concat(dropped, "|") == "/a.txt|/b c.png", table.concat(dropped, "|"))
        test.check(states == "02", states)
    )"),
              "");
}
