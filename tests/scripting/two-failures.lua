-- Two failing checks between passing ones: with --keep-going every one is reported.
test.check(true, "passes")
test.check(false, "first")
test.check(1 + 1 == 2, "passes")
test.check(false, "second")
print("reached the end")
