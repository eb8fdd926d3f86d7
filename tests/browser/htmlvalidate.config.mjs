// html-validate settings for pages holding the snippets. The recommended rules
// all stay on; where one objects to the cart server's fixed form layout it is
// narrowed to exactly that, each with its reason.
export default {
    root: true,
    extends: ['html-validate:recommended'],
    elements: [
        'html5',
        {
            // The checkout note's colour is a <font> inside <p>: let it hold text there.
            font: { flow: true, phrasing: true, permittedContent: ['@phrasing'] },
            // The checkout form's hidden order settings stand between its table rows.
            table: {
                permittedContent: ['@script', 'caption?', 'colgroup', 'tbody', 'tfoot?', 'thead?',
                                   'tr', 'input'],
                attributes: { width: { deprecated: false } },
            },
            // The checkout form lays out its columns and headings with these.
            td: { attributes: { width: { deprecated: false }, bgcolor: { deprecated: false } } },
        },
    ],
    rules: {
        // The cart server reads the clicked button's name and value from <input type="submit">.
        'prefer-button': 'off',
        // The checkout form's rows stand directly in <table>.
        'prefer-tbody': 'off',
        // The checkout note's <font>; every other deprecated element is still an error.
        deprecated: ['error', { exclude: ['font'] }],
    },
};
