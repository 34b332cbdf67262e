-- Reads and writes a label's properties by their published names, with enumerations by name.
local intro = form.lblIntro
test.check(intro.WordWrap, "the intro label wraps its words")

intro.Caption = "  Set from a <b>script</b>  "
test.check(intro.Caption == "Set from a <b>script</b>", "captions are trimmed")

intro.CaptionAlignment = Orvane.AlignEnumEx.AlignMidCenter
test.check(intro.CaptionAlignment == 4, "enumerations by name")
intro.BorderStyle = Orvane.BorderStyleEnum["Fixed Single"]

-- A font object of its own, made by class name.
local font = create("Orvane.StdFont")
font.Name = "Courier New"
font.Size = 12
intro.Font = font
test.check(intro.FontName == "Courier New" and intro.FontSize == 12, "the font took")

-- The container's members reach through the control.
intro:Move(480, 300)
test.check(intro.Left == 480 and intro.Top == 300, "moved")
print("label basics: ok")
