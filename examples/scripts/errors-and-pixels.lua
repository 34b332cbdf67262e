-- Library errors arrive as Lua errors with number, source and description; pixels can be
-- read back as OLE colours, and controls can be added while the form runs.
local ok, err = pcall(function() form.lblAuto.BackStyle = 9 end)
test.check(not ok and err.number == 380, "an invalid value is error 380")
test.check(err.description:find("lblAuto.BackStyle", 1, true), err.description)

ok, err = pcall(function() return form.lblAuto.NoSuchProperty end)
test.check(not ok and err.number == 438, "an unknown member is error 438")

-- An opaque label in a known colour: its corner pixel shows it.
local added = form:Add("Orvane.ucLabelHTML", "lblAdded")
added.BackStyle = Orvane.BackStyleEnum.bsOpaque
added.BorderStyle = Orvane.BorderStyleEnum.None
added.BackColor = 0x00FF00
added:Move(240, 4200, 1500, 600)
test.pump()
test.check(test.pixel(20, 285) == 0x00FF00, string.format("pixel %06X", test.pixel(20, 285)))
print("errors and pixels: ok")
