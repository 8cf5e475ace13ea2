# Convenience only: the scripts work on their own.
.PHONY: all test demo clean
all:
	scripts/build
test:
	scripts/test
demo:
	scripts/demo
clean:
	rm -rf build
