-- Everything a script reaches (run against examples/forms/members.json): colours as written,
-- bytes from files, collections a member returns, the form's controls, moving a control into
-- another container, and removing one from its own handler.
local here = debug.getinfo(1, "S").source:match("^@(.*)/[^/]*$") or "."

-- Colours are unsigned: a system colour reads back as written.
local lbl = form.lblPicture
lbl.ForeColor = 0x80000008
test.check(lbl.ForeColor == 0x80000008, string.format("colour %X", lbl.ForeColor))

-- A file's bytes go straight into a picture property; bytes() marks them where text would do.
local f = assert(io.open(here .. "/../../src/resources/glyphs/option.png", "rb"))
local png = f:read("a")
f:close()
lbl.PNG = png
test.check(lbl.PNG == png, "the picture's bytes come back")
local cache = create("Orvane.cGDIPCache")
cache:AddImage("option", bytes(png))
test.check(cache:Width("option") == 128, "the cache decoded the bytes")

-- The keys the cache returns are a collection: counted, indexed, walked.
cache:AddImage("again", bytes(png))
local keys = cache:Keys()
test.check(#keys == 2 and keys.Count == 2, "two keys")
local seen = {}
for _, key in ipairs(keys) do seen[#seen + 1] = key end
test.check(table.concat(seen, " ") == "option again", table.concat(seen, " "))

-- The form's controls, and its window.
local names = {}
for _, c in ipairs(form.Controls) do names[#names + 1] = c.Name end
test.check(table.concat(names, " ") == "lblPicture optLoose fraGroup optFramed",
           table.concat(names, " "))
test.check(form.hWnd ~= 0, "the form has a window")
test.check(form.fraGroup.Parent.hWnd == form.hWnd, "a control's Parent is the form")

-- Each container holds its own group: both options are selected until one moves in.
test.check(form.optLoose.Value and form.optFramed.Value, "two groups, two selections")
test.check(form.optFramed.Container == form.fraGroup, "the frame holds optFramed")
form.optLoose.Container = form.fraGroup
test.check(form.optLoose.Container == form.fraGroup, "moved into the frame")
form.optLoose.Value = true
test.check(not form.optFramed.Value, "now they share a group")
form.optLoose.Container = nil
test.check(form.optLoose.Container == nil, "back on the form")

-- A control may remove itself from inside its own handler.
on(lbl, "Click", function() form:Remove(lbl) end)
lbl.EnableEvents = true
test.click(lbl)
test.check(#form.Controls == 3, "the label is gone")
print("members: ok")
