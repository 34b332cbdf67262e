-- The gauges from a script (run against examples/forms/gauges.json): a spin stepping within its
-- range and driving a progress bar, the bar's fraction for any range, and refused values.
local bar, spin = form.pbrCopy, form.udCount
local changes = 0
on(spin, "Change", function()
  changes = changes + 1
  bar.Value = spin.Value * 10
  bar.Text = spin.Value .. " of 10"
end)

-- The right half steps up, the left half down.
local x, y = spin.Left // 15, spin.Top // 15 + 10
test.click(x + 30, y)
test.check(spin.Value == 4 and changes == 1, "a click on the right half: " .. spin.Value)
test.check(bar.Value == 40 and bar.Percent == 0.4, "the bar follows: " .. bar.Percent)
test.click(x + 5, y)
test.check(spin.Value == 3 and changes == 2, "the left half steps down")

-- Values are kept within the range, and an unchanged value raises nothing.
spin.Value = 50
test.check(spin.Value == 10 and changes == 3, "50 is kept at Max: " .. spin.Value)
spin.Value = 10
test.check(changes == 3, "the same value again is no change")

-- The fraction for negative and empty ranges.
bar.Min, bar.Max, bar.Value = -100, -50, -75
test.check(bar.Percent == 0.5, "halfway between -100 and -50")
bar.Max = -100
test.check(bar.Percent == 0, "an empty range is an empty bar")

local ok, err = pcall(function() bar.Appearance = 5 end)
test.check(not ok and err.number == 380, "Appearance 5 is refused with 380")
test.check(bar.Appearance == Orvane.EVPRGAppearanceConstants.epba3DThin, "and nothing changed")
test.check(form.pbrNative.Percent == 0.5, "the hosted bar's control keeps its values")
print("gauges: ok")
