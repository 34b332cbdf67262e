-- The label from a script (run against examples/forms/labels.json): properties by name, a
-- refused value with its number, events that wait for EnableEvents, and hover colours.
local plain = form.lblPlain
plain.Caption = "Set from a &script"
test.check(plain.Caption == "Set from a &script", "the caption took")
test.check(plain.BackStyle == Orvane.BackStyleEnum.bsTransparent, "transparent by default")

local ok, err = pcall(function() plain.Alignment = 7 end)
test.check(not ok and err.number == 380, "alignment 7 is refused with 380")

-- No events until EnableEvents; then a click raises MouseDown, MouseUp and Click.
local seen = {}
on(plain, "Click", function() seen[#seen + 1] = "click" end)
on(plain, "MouseUp", function(e) seen[#seen + 1] = "up " .. e.Button end)
test.click(plain)
test.advance(300)
test.check(#seen == 0, "no events yet")
plain.EnableEvents = true
test.click(plain)
test.advance(300)
test.check(table.concat(seen, ",") == "up 1,click", table.concat(seen, ","))

-- The opaque label takes its hot colour under the pointer and loses it when the pointer goes.
local hover = form.lblHover
hover.BackColorHot = 0x00FF00
test.move(hover)
test.pump()
local x, y = hover.Left // 15 + 20, hover.Top // 15 + 5
test.check(test.pixel(x, y) == 0x00FF00, string.format("hot: %06X", test.pixel(x, y)))
test.move(0, 0)
test.advance(50)
test.check(test.pixel(x, y) == hover.BackColor, string.format("cold: %06X", test.pixel(x, y)))
print("labels: ok")
