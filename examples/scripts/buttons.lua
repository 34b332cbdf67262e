-- The button from a script (run against examples/forms/buttons.json): styles by name, a refused
-- style with its number, clicks from the mouse, from code through Value, and from the keyboard.
local standard = form.btnStandard
test.check(standard.Style == Orvane.ButtonStyleEnum.styStandard, "standard by default")
local ok, err = pcall(function() standard.Style = 7 end)
test.check(not ok and err.number == 380, "style 7 is refused with 380")
test.check(standard.Style == 2, "and nothing changed")

local clicks = 0
on(standard, "Click", function() clicks = clicks + 1 end)
test.click(standard)
test.advance(300)
test.check(clicks == 1, "a mouse click")
standard.Value = true
test.check(clicks == 2 and standard.Value == false, "Value clicks once and reads False")

-- Enter presses the form's default button wherever the focus is.
local default = 0
on(form.btnDefault, "Click", function() default = default + 1 end)
test.key(13)
test.pump()
test.check(default == 1, "Enter clicks the default button")

-- The opaque button takes its hot colour under the pointer.
local opaque = form.btnOpaque
opaque.BackColorHot = 0x00FF00
test.move(opaque)
test.pump()
local x, y = opaque.Left // 15 + opaque.Width // 30, opaque.Top // 15 + 4
test.check(test.pixel(x, y) == 0x00FF00, string.format("hot: %06X", test.pixel(x, y)))
test.move(0, 0)
test.advance(50)
test.check(test.pixel(x, y) == opaque.BackColor, string.format("cold: %06X", test.pixel(x, y)))
print("buttons: ok")
