// The package carries the program's licence, copied from the repository.
const fs = require('fs');
const path = require('path');
fs.copyFileSync(path.join(__dirname, '..', '..', '..', 'LICENSE'),
                path.join(__dirname, '..', 'LICENSE'));
