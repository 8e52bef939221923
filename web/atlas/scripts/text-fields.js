// The texts of a list whose elements are marked data-text="KEY", written all
// at once: each element gets the text of its key, or none.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    class TextFields {
        constructor(list) {
            this.fields = [...list.querySelectorAll("[data-text]")].map((element) =>
                [element.dataset.text, element]);
        }

        // `texts`: { KEY: text }; a key left out empties its element.
        write(texts) {
            for (const [key, element] of this.fields) {
                element.textContent = texts[key] ?? "";
            }
        }
    }

    atlas.TextFields = TextFields;
})();
