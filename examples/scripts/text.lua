-- Text boxes from a script (run against examples/forms/text.json): typing with its events in
-- order, the same text set twice raising one Change, a character typed by its hex code, and the
-- multi-line box's lines.
local name = form.txtName
local seen = {}
for _, ev in ipairs({"KeyDown", "KeyPress", "Change", "KeyUp"}) do
  on(name, ev, function() seen[#seen + 1] = ev end)
end
test.click(name.Left // 15 + 10, name.Top // 15 + 8)
test.type("A")
test.check(table.concat(seen, ",") == "KeyDown,KeyPress,Change,KeyUp",
           "typing raises " .. table.concat(seen, ","))
test.check(name.Text == "A", "the box holds what was typed: " .. name.Text)
test.check(name.DataChanged, "and knows it changed")

local changes = 0
on(name, "Change", function() changes = changes + 1 end)
name.Text = "Ada"
name.Text = "Ada"
test.check(changes == 1, "the same text twice changes once: " .. changes)

-- Alt and 00E9 type an e with an acute accent at the caret.
name.SelStart = 3
test.keydown(18)
for _, k in ipairs({48, 48, 69, 57}) do test.key(k) end
test.keyup(18)
test.check(name.Text == "Ada\u{e9}", "Alt+00E9 types \u{e9}: " .. name.Text)

local notes = form.txtNotes
test.check(notes.LineCount >= 3, "the notes wrap into lines: " .. notes.LineCount)
notes:ScrollToLine(2)
test.check(notes:LineForCharacterIndex(notes.SelStart) == 1, "line 2 starts at the caret")

local ok, err = pcall(function() name.MaxLength = -5 end)
test.check(not ok and err.number == 380, "a negative limit is refused with 380")
