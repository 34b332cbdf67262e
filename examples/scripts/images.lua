-- The image controls from a script (run against examples/forms/images.json): a strip sized to
-- one frame and stepping through its frames, bytes that are no image, and the picture box drawn
-- on in OwnerDraw and through its hdc.
local here = debug.getinfo(1, "S").source:match("^@(.*)/[^/]*$") or "."
local strip, gifImage, pic = form.imgStrip, form.imgAnimated, form.picCanvas

test.check(strip.Style == Orvane.ImageStyleEnum.imgPictureStrip and strip.FrameCount == 8,
           "a strip of eight frames")
test.check(strip.Width == 16 * 15 and strip.Height == 16 * 15,
           "AutoSize: one 16 x 16 frame, no border: " .. strip.Width .. " x " .. strip.Height)

-- The frames follow one another every FrameInterval: the middle pixel changes on the way.
local x, y = strip.Left // 15 + 8, strip.Top // 15 + 8
local first, changed = test.pixel(x, y), false
for _ = 1, 8 do
  test.advance(strip.FrameInterval)
  if test.pixel(x, y) ~= first then changed = true end
end
test.check(changed, string.format("the strip's middle pixel changes from %06X", first))

-- Bytes that are no image leave the control empty; the old bytes bring the image back.
local gx, gy = gifImage.Left // 15 + 48, gifImage.Top // 15 + 48
local kept = gifImage.PNG
gifImage.PNG = "no image at all"
test.check(test.pixel(gx, gy) == 0xFFFFFF, "only the white back colour is left")
gifImage.PNG = kept
test.check(test.pixel(gx, gy) ~= 0xFFFFFF, "the animation is back")

-- The picture box: a glyph drawn in OwnerDraw stays through repaints; one drawn on its hdc
-- shows at once and goes with the next repaint.
local cache = create("Orvane.cGDIPCache")
local f = assert(io.open(here .. "/../../src/resources/glyphs/option.png", "rb"))
cache:AddImage("checked", bytes(f:read("a")))
f:close()
local draws = 0
on(pic, "OwnerDraw", function(e)
  draws = draws + 1
  -- The fifth glyph of the strip (checked), twice its size, low in the box.
  cache:AlphaRenderTo(e.hdc, "checked", 16, 48, 32, 32, 64, 0, 16, 16)
end)
pic:Refresh()
local px, py = pic.Left // 15, pic.Top // 15
test.check(draws >= 1 and test.pixel(px + 32, py + 64) ~= 0xFFFFFF, "drawn in OwnerDraw")
cache:AlphaRenderTo(pic.hdc, "checked", 80, 48, 32, 32, 64, 0, 16, 16)
test.check(test.pixel(px + 96, py + 64) ~= 0xFFFFFF, "drawn on hdc")
pic:Refresh()
test.check(test.pixel(px + 96, py + 64) == 0xFFFFFF, "a repaint draws over it")
test.check(test.pixel(px + 32, py + 64) ~= 0xFFFFFF, "while OwnerDraw draws again")
print("images: ok")
