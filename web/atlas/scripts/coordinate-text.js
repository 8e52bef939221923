// The two position texts of a cell as the editor's information panel words
// them: "(510, 487)" from the north-west corner and "12N, 11E" from the centre.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    // The editor counts from the centre cell both ways; the centre row is "N"
    // and the centre column "E", so (499, 499) reads "0N, 0E".
    const centre = atlas.constants.centre;

    atlas.coordinateText = {
        absolute: (x, y) => `(${x}, ${y})`,
        relative: (x, y) => {
            const northSouth = y <= centre ? `${centre - y}N` : `${y - centre}S`;
            const eastWest = x >= centre ? `${x - centre}E` : `${centre - x}W`;
            return `${northSouth}, ${eastWest}`;
        },
    };
})();
