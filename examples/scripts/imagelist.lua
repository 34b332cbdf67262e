-- An image list from a script (run against examples/forms/imagelist.json): images by key and
-- by index, drawn on the form, a list added by class name and filled from a PNG strip, one
-- list drawing another's image, a list file written and read back, and the errors it raises.
local here = debug.getinfo(1, "S").source:match("^@(.*)/[^/]*$") or "."

local shapes = form.imlShapes
test.check(shapes.ImageCount == 4, "four shapes came with the form")
test.check(shapes:ItemIndex("triangle") == 2, "ItemIndex counts from 0")
test.check(shapes:KeyExists("DIAMOND"), "keys ignore case")
test.check(shapes:ItemTag(2) == "green", "tags came with the form")

-- Drawn on the form by key, the square's middle is its green; selected, half the dither colour.
shapes:DrawImage("square", form.hDC, 120, 130)
local plain = test.pixel(128, 138)
test.check(plain == 0x28A028, string.format("the square drawn: %06X", plain))
shapes:DrawImage(2, form.hDC, 150, 130, true, false, false, 0xFF0000)
local selected = test.pixel(158, 138)
test.check((selected >> 16) & 0xFF > 0x80 and (selected >> 8) & 0xFF < 0x60,
           string.format("the square selected in blue: %06X", selected))

-- A new list, filled from a strip of eight 16 x 16 glyphs: one image each.
local made = form:Add("Orvane.ucImageList", "imlMade")
made.ColorDepth = Orvane.eimlColorDepth.IMLC_COLOR32
local f = assert(io.open(here .. "/../../src/resources/glyphs/option.png", "rb"))
local png = f:read("a")
f:close()
test.check(made:AddFromFile(bytes(png), "options", false, nil, 128, 16) == 1, "added first")
test.check(made.ImageCount == 8 and made:ItemKey(1) == "options", "eight glyphs")

-- Another list's image of the same index, through the list itself (its himl).
made:DrawImage(1, form.hDC, 180, 130, false, false, false, nil, shapes)
local circle = test.pixel(188, 138)
test.check(circle == 0x2828DC, string.format("the circle from the other list: %06X", circle))

-- A list file carries the images and keys from one list to another.
local file = os.tmpname()
test.check(shapes:SaveToFile(file), "saved")
test.check(made:LoadFromFile(file), "loaded")
os.remove(file)
test.check(made.ImageCount == 4 and made:ItemKey(3) == "triangle", "the shapes and their keys")

-- An unknown key is error 9; a new size while the list holds images, 1001.
local ok, err = pcall(function() return shapes:ItemIndex("hexagon") end)
test.check(not ok and err.number == 9, "an unknown key")
ok, err = pcall(function() shapes.ImageWidth = 32 end)
test.check(not ok and err.number == 1001 and err.description:find("ImageCount must be 0") ~= nil,
           "the size stays while there are images")
print("image list: ok")
