-- Check boxes, options and frames from a script (run against examples/forms/choices.json):
-- three-valued check boxes, options grouped by their frame, values from code and the mouse.
local news = form.chkNews
test.check(news.Value == Orvane.CheckBoxConstants.vbUnchecked, "unchecked at first")
local clicks = 0
on(news, "Click", function() clicks = clicks + 1 end)
test.click(news)
test.advance(1000)
test.check(news.Value == 1 and clicks == 1, "a click checks it")
news.Value = 1
test.check(clicks == 2, "setting the same value still clicks")
local ok, err = pcall(function() news.Value = 3 end)
test.check(not ok and err.number == 380 and news.Value == 1, "3 is refused with 380")

local some = form.chkSome
test.check(some.Value == 2, "grayed from the form file")
test.click(some)
test.advance(1000)
test.check(some.Value == 0, "a click on grayed clears it")

-- Each frame holds its own group: selecting Express leaves the payment alone.
test.click(form.optExpress)
test.advance(1000)
test.check(form.optExpress.Value and not form.optStandard.Value, "Express replaces Standard")
test.check(form.optCard.Value, "the other frame keeps its choice")
form.optInvoice.Value = true
test.check(not form.optCard.Value and form.optExpress.Value, "code selects within its frame")
form.optInvoice.Value = false
test.check(not form.optInvoice.Value and not form.optCard.Value, "False leaves no choice")

-- The graphical style draws the push-button face: down (tinted) while selected.
local cash = form.optCash
test.move(0, 0)
test.advance(50)
local x = form.fraPayment.Left // 15 + cash.Left // 15 + 6
local y = form.fraPayment.Top // 15 + cash.Top // 15 + cash.Height // 30
local up = test.pixel(x, y)
cash.Value = true
local down = test.pixel(x, y)
test.check(up ~= down, string.format("the face goes down: %06X -> %06X", up, down))
print("choices: ok")
