-- The shapes from a script (run against examples/forms/shapes.json): Shift put and taken back
-- with the shape, values brought into range, clicks on a clickable shape and through one that
-- is not.
local shp = form.shpRectangle
local clicks = 0
on(shp, "Click", function() clicks = clicks + 1 end)

shp.Shape = Orvane.veShapeConstants.veShapeStar
test.check(shp.Shift == 20, "a star starts with Shift 20: " .. shp.Shift)
shp.Shape = Orvane.veShapeConstants.veShapeRectangle
test.check(shp.Shift == 0, "and the rectangle gives it back: " .. shp.Shift)

shp.Vertices = 1
test.check(shp.Vertices == 2, "one vertex is kept as two")
shp.CurvingFactor = -150
test.check(shp.CurvingFactor == -100, "curving is kept within -100 to 100")
shp.CurvingFactor = 0
shp.RotationDegrees = -90
test.check(shp.RotationDegrees == 270, "-90 degrees is 270: " .. shp.RotationDegrees)
shp.RotationDegrees = 0
local ok, err = pcall(function() shp.Shape = 40 end)
test.check(not ok and err.number == 380, "shape 40 is refused with 380")

-- A click in the middle reaches the shape; once it is not clickable, the click passes through.
local x, y = shp.Left // 15 + 30, shp.Top // 15 + 30
test.click(x, y)
test.check(clicks == 1, "the shape takes the click")
shp.Clickable = false
test.click(x, y)
test.check(clicks == 1, "a shape that is not clickable lets it through")
print("shapes: ok")
