#pragma once

// Where the launcher writes its labels, it also paints each button's normal frame into its
// picture, so that every piece of the transitions carries the buttons as they stand: the
// brand's picture can't hold them where a language mirrors their places. Norvane's
// picture, and any with painted labels, holds its own.
void PaintFacesIntoPicture();
