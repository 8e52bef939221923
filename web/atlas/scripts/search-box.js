// The search box: runs a search on Enter, says how many cells match, marks
// them, and steps through them in row order (Enter, Shift+Enter, Previous,
// Next), centring each in the map area.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    class SearchBox {
        // `elements`: { form, input, previous, next, count, position }.
        constructor(elements, search, marks, map, side) {
            Object.assign(this, { elements, search, marks, map, side });
            this.query = null;
            this.found = new Int32Array(0);
            this.current = -1;
            elements.form.addEventListener("submit", (event) => {
                event.preventDefault();
                this.#enter(1);
            });
            elements.input.addEventListener("keydown", (event) => {
                if (event.key === "Enter" && event.shiftKey) {
                    event.preventDefault();
                    this.#enter(-1);
                }
            });
            elements.input.addEventListener("input", () => {
                if (elements.input.value.trim() === "") {
                    this.find("");
                }
            });
            elements.previous.addEventListener("click", () => this.step(-1));
            elements.next.addEventListener("click", () => this.step(1));
            this.#update();
        }

        // Searches for `query` and marks what it finds; the view stays.
        find(query) {
            this.elements.input.value = query;
            this.query = query.trim();
            this.current = -1;
            if (this.query === "") {
                this.found = new Int32Array(0);
                this.elements.count.textContent = "";
            } else {
                const result = this.search.run(this.query);
                this.found = result.cells;
                this.elements.count.textContent = result.text;
            }
            this.marks.show(this.found, this.current);
            this.#update();
        }

        // Centres the next (1) or previous (-1) found cell, wrapping around.
        step(direction) {
            if (this.found.length === 0) {
                return;
            }
            const n = this.found.length;
            this.current = this.current < 0
                ? (direction > 0 ? 0 : n - 1)
                : (this.current + direction + n) % n;
            this.marks.show(this.found, this.current);
            atlas.addressHash.show(this.map,
                { ...atlas.cellNumbers.place(this.found[this.current], this.side), step: null });
            this.#update();
        }

        // A new query is searched; the same query again steps on.
        #enter(direction) {
            if (this.elements.input.value.trim() !== this.query) {
                this.find(this.elements.input.value);
            } else {
                this.step(direction);
            }
        }

        #update() {
            const { previous, next, position } = this.elements;
            previous.disabled = next.disabled = this.found.length === 0;
            if (this.current < 0) {
                position.textContent = this.found.length ? "Enter or Next steps through them." : "";
            } else {
                const { x, y } = atlas.cellNumbers.place(this.found[this.current], this.side);
                const { grouped } = atlas.countText;
                position.textContent = `${grouped(this.current + 1)} of ${grouped(this.found.length)}: ` +
                    `${atlas.coordinateText.absolute(x, y)} ${atlas.coordinateText.relative(x, y)}`;
            }
        }
    }

    atlas.SearchBox = SearchBox;
})();
